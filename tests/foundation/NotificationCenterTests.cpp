#include "platform/foundation/NotificationCenter.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

TEST(NotificationCenter, DeliversSynchronouslyToObserversOfTheNameAndPosterInOrder) {
    NotificationCenter center;
    auto application = std::make_shared<int>(1);
    std::vector<std::string> log;
    center.addObserverForName("didLoadMenu", nullptr,
                              [&](const Notification& n) { log.push_back("menu1:" + n.name); });
    center.addObserverForName("didLoadKivoAds", nullptr, [&](const Notification&) { log.push_back("ads"); });
    center.addObserverForName("didLoadMenu", nullptr, [&](const Notification& n) {
        log.push_back("menu2:" + n.userInfo.at("count").stringValue().value_or("?"));
    });
    center.addObserverForName("", nullptr, [&](const Notification& n) { log.push_back("any:" + n.name); });
    center.addObserverForName("didLoadMenu", application.get(), [&](const Notification& n) {
        EXPECT_EQ(n.object, application);
        log.push_back("fromApplication");
    });

    center.postNotificationName("didLoadMenu", nullptr, {{"count", "3"}});
    center.postNotificationName("unobserved", std::make_shared<int>(2));
    center.postNotificationName("didLoadMenu", application, {{"count", "4"}});
    center.postNotificationName("didLoadMenu", std::make_shared<int>(3), {{"count", "5"}});
    EXPECT_EQ(log,
              (std::vector<std::string>{"menu1:didLoadMenu", "menu2:3", "any:didLoadMenu", "any:unobserved",
                                        "menu1:didLoadMenu", "menu2:4", "any:didLoadMenu", "fromApplication",
                                        "menu1:didLoadMenu", "menu2:5", "any:didLoadMenu"}))
        << "an observer of one poster hears no other";
}

TEST(NotificationCenter, RemovesOneObserverAllOfAnOwnerOrOneNameOfAnOwnerEvenDuringAPost) {
    NotificationCenter center;
    int owner = 0, otherOwner = 0;
    std::vector<std::string> log;
    auto token =
        center.addObserverForName("a", nullptr, [&](const Notification&) { log.push_back("token"); });
    center.addObserver(&owner, "a", nullptr, [&](const Notification&) { log.push_back("owner-a"); });
    center.addObserver(&owner, "b", nullptr, [&](const Notification&) { log.push_back("owner-b"); });
    center.addObserver(&otherOwner, "a", nullptr, [&](const Notification&) { log.push_back("other-a"); });
    center.removeObserver(token);
    center.removeObserver(&owner, "b");
    center.postNotificationName("a");
    center.postNotificationName("b");
    EXPECT_EQ(log, (std::vector<std::string>{"owner-a", "other-a"}));

    // The first observer removes the others and posts again: they are not called, nothing deadlocks.
    log.clear();
    center.addObserverForName("c", nullptr, [&](const Notification&) {
        log.push_back("first");
        center.removeObserver(static_cast<const void*>(&owner));
        if (log.size() == 1)
            center.postNotificationName("c");
    });
    center.addObserver(&owner, "c", nullptr, [&](const Notification&) { log.push_back("removed"); });
    center.postNotificationName("c");
    center.postNotificationName("a");
    EXPECT_EQ(log, (std::vector<std::string>{"first", "first", "other-a"}));
}

TEST(NotificationCenter, PostsFromSeveralThreadsReachTheObserverOnThePostingThread) {
    auto center = NotificationCenter::defaultCenter();
    EXPECT_EQ(center, NotificationCenter::defaultCenter());
    std::atomic<int> delivered{0};
    std::atomic<bool> onPostingThread{true};
    int owner = 0;
    center->addObserver(&owner, "threaded", nullptr, [&](const Notification& n) {
        const auto poster = n.userInfo.at("thread").integerValue();
        onPostingThread =
            onPostingThread &&
            static_cast<std::int64_t>(std::hash<std::thread::id>{}(std::this_thread::get_id())) == poster;
        ++delivered;
    });
    std::vector<std::thread> posters;
    for (int t = 0; t < 4; ++t)
        posters.emplace_back([&] {
            const auto self =
                static_cast<std::int64_t>(std::hash<std::thread::id>{}(std::this_thread::get_id()));
            for (int i = 0; i < 250; ++i) {
                int transient = 0;
                auto token = center->addObserver(&transient, "other", nullptr, [](const Notification&) {});
                center->postNotificationName("threaded", nullptr, {{"thread", self}});
                center->removeObserver(token);
            }
        });
    for (auto& poster : posters)
        poster.join();
    center->removeObserver(static_cast<const void*>(&owner));
    EXPECT_EQ(delivered, 1000);
    EXPECT_TRUE(onPostingThread);
}

} // namespace
