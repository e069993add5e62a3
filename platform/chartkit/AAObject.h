#pragma once

#include <nlohmann/json.hpp>

#include <string>
#include <utility>

// Option objects keep their settings as the option tree the renderer reads, so the tree a test
// compares is exactly what gets drawn. Setters store one value and return the object for chaining.
template <class Self> class AAObject {
  public:
    AAObject() : json_(nlohmann::json::object()) {}
    // Wraps a subtree taken from a larger option tree.
    explicit AAObject(nlohmann::json json) : json_(std::move(json)) {}

    const nlohmann::json& toJSON() const { return json_; }

  protected:
    Self& set(const char* key, nlohmann::json value) {
        json_[key] = std::move(value);
        return static_cast<Self&>(*this);
    }
    template <class Child> Self& setObject(const char* key, const AAObject<Child>& child) {
        return set(key, child.toJSON());
    }

  private:
    nlohmann::json json_;
};
