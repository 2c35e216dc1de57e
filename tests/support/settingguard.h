#pragma once

#include <functional>
#include <utility>

namespace nimbara::test {

// Puts a global setting back when it goes out of scope: a test that changes one puts it back
// also when it stops early.
class SettingGuard {
public:
    explicit SettingGuard(std::function<void()> restore) : m_restore(std::move(restore)) {}
    // Gives the setting of get and set the value for as long as the guard lives, then the value
    // it had.
    template <typename Value>
    SettingGuard(Value (*get)(), void (*set)(Value), Value value)
        : SettingGuard([set, previous = get()] { set(previous); }) {
        set(std::move(value));
    }
    ~SettingGuard() { m_restore(); }
    SettingGuard(const SettingGuard&) = delete;
    SettingGuard& operator=(const SettingGuard&) = delete;

private:
    std::function<void()> m_restore;
};

}  // namespace nimbara::test
