#include "platform/foundation/ManualClock.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/URLSession.h"
#include "tests/support/LocalHttpServer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <future>
#include <thread>

namespace {

struct Completion {
    std::string data;
    std::optional<HTTPURLResponse> response;
    std::optional<URLError> error;
    bool onMainThread = true;
};

std::future<Completion> fetch(const std::shared_ptr<URLSession>& session, const std::string& text,
                              std::shared_ptr<URLSessionDataTask>* taskOut = nullptr) {
    auto promise = std::make_shared<std::promise<Completion>>();
    std::optional<URL> url = URL::URLWithString(text);
    EXPECT_TRUE(url) << text;
    auto task = session->dataTaskWithURLCompletionHandler(*url, [promise](
                                                                    std::string data,
                                                                    std::optional<HTTPURLResponse> response,
                                                                    std::optional<URLError> error) {
        promise->set_value(Completion{std::move(data), std::move(response), error, RunLoop::isMainThread()});
    });
    task->resume();
    if (taskOut != nullptr)
        *taskOut = task;
    return promise->get_future();
}

Completion await(std::future<Completion> future) {
    EXPECT_EQ(future.wait_for(std::chrono::seconds(20)), std::future_status::ready);
    return future.get();
}

class URLSessionTest : public ::testing::Test {
  protected:
    void SetUp() override { RunLoop::main(); } // the test thread is the main thread
    void TearDown() override { Clock::setCurrent(nullptr); }
};

TEST_F(URLSessionTest, DeliversStatusHeadersAndBodyOffTheMainThreadAfterRedirects) {
    LocalHttpServer target;
    target.respondWith("HTTP/1.1 404 Not Found\r\nContent-Type: application/json\r\nX-Probe: yes\r\n"
                       "Content-Length: 11\r\nConnection: close\r\n\r\n{\"ok\":true}");
    LocalHttpServer redirect;
    redirect.respondWith("HTTP/1.1 302 Found\r\nLocation: " + target.url("/there") +
                         "\r\nX-First: 1\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
    Completion result = await(fetch(URLSession::sharedSession(), redirect.url("/config?key=apps")));
    ASSERT_FALSE(result.error) << result.error->localizedDescription;
    ASSERT_TRUE(result.response);
    EXPECT_EQ(result.response->statusCode, 404) << "an error status is still a response";
    EXPECT_EQ(result.response->valueForHTTPHeaderField("content-type"), "application/json");
    EXPECT_EQ(result.response->valueForHTTPHeaderField("X-PROBE"), "yes");
    EXPECT_FALSE(result.response->valueForHTTPHeaderField("X-First")) << "only the last headers are kept";
    EXPECT_EQ(result.data, "{\"ok\":true}");
    EXPECT_FALSE(result.onMainThread);
    EXPECT_EQ(redirect.requestLines(), std::vector<std::string>{"GET /config?key=apps HTTP/1.1"});
    EXPECT_EQ(target.requestLines(), std::vector<std::string>{"GET /there HTTP/1.1"});
}

TEST_F(URLSessionTest, AClosedPortOrASchemeOtherThanHTTPGivesAnErrorAndNoResponse) {
    const std::pair<std::string, URLError> failures[] = {
        {"http://127.0.0.1:" + std::to_string(LocalHttpServer::closedPort()) + "/",
         {URLError::cannotConnectToHost, "Could not connect to the server."}},
        {"file:///etc/passwd", {URLError::unsupportedURL, "unsupported URL"}},
    };
    for (const auto& [url, error] : failures) {
        Completion result = await(fetch(URLSession::sharedSession(), url));
        ASSERT_TRUE(result.error) << url;
        EXPECT_EQ(result.error->code, error.code);
        EXPECT_EQ(result.error->localizedDescription, error.localizedDescription);
        EXPECT_FALSE(result.response);
        EXPECT_TRUE(result.data.empty());
        EXPECT_FALSE(result.onMainThread);
    }
}

TEST_F(URLSessionTest, ARequestToAServerThatNeverAnswersTimesOutOnTheCurrentClockOrIsCancelled) {
    const auto clock = std::make_shared<ManualClock>();
    Clock::setCurrent(clock);
    LocalHttpServer server;
    server.holdRequests();
    // The time without a byte, or the whole time: whichever limit is shorter ends the transfer.
    for (const auto& [idle, total] : {std::pair{30.0, 600.0}, std::pair{600.0, 60.0}}) {
        URLSessionConfiguration configuration;
        configuration.timeoutIntervalForRequest = idle;
        configuration.timeoutIntervalForResource = total;
        const std::size_t asked = server.requestLines().size();
        std::future<Completion> future =
            fetch(std::make_shared<URLSession>(configuration), server.url("/slow"));
        while (server.requestLines().size() == asked)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        clock->advance(std::min(idle, total));
        Completion result = await(std::move(future));
        ASSERT_TRUE(result.error) << idle;
        EXPECT_EQ(result.error->code, URLError::timedOut) << idle;
        EXPECT_FALSE(result.response);
    }

    // Cancelling a running task completes it once, with "cancelled".
    std::shared_ptr<URLSessionDataTask> task;
    std::future<Completion> future = fetch(URLSession::sharedSession(), server.url("/held"), &task);
    while (server.requestLines().size() < 3)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    task->cancel();
    task->cancel();
    Completion result = await(std::move(future));
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->code, URLError::cancelled);
    EXPECT_EQ(task->state(), URLSessionDataTask::State::completed);
}

TEST(URL, SplitsAbsoluteURLsAndRefusesTextsThatAreNotURLs) {
    std::optional<URL> url = URL::URLWithString("HTTPS://User@Example.com:8443/a/b%20c?x=1&y=2#top");
    ASSERT_TRUE(url);
    EXPECT_EQ(url->scheme(), "https");
    EXPECT_EQ(url->host(), "example.com");
    EXPECT_EQ(url->port(), 8443);
    EXPECT_EQ(url->path(), "/a/b%20c");
    EXPECT_EQ(url->query(), "x=1&y=2");
    EXPECT_EQ(url->fragment(), "top");
    EXPECT_TRUE(url->isHTTP());
    EXPECT_EQ(url->absoluteString(), "HTTPS://User@Example.com:8443/a/b%20c?x=1&y=2#top");

    std::optional<URL> mail = URL::URLWithString("mailto:someone@example.com");
    ASSERT_TRUE(mail);
    EXPECT_EQ(mail->host(), "");
    EXPECT_EQ(mail->path(), "someone@example.com");
    EXPECT_FALSE(mail->isHTTP());
    EXPECT_EQ(URL::URLWithString("http://[::1]:80/")->host(), "[::1]");
    EXPECT_FALSE(URL::URLWithString("https://example.com")->query());

    for (const char* text :
         {"", "example.com", "://x", "1http://x", "http://exa mple.com", "http://h/%zz", "http://h/%4",
          "http://h:99999/", "http://h:12a/", "https://bücher.de", "http://h/\n", "http://[::1/"})
        EXPECT_FALSE(URL::URLWithString(text)) << text;
}

} // namespace
