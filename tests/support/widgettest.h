#pragma once

#include "tests/support/appdirfixture.h"
#include "tests/support/messageboxrecorder.h"
#include "tests/support/settingguard.h"
#include "tests/support/waits.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

namespace nimbara::test {

// The fixture of the tests that run windows: a temporary application directory as current
// directory and every box recorded, both put back when the test ends, however it ends. Tests add
// their own SettingGuard members for further global settings.
class WidgetTest : public testing::Test {
protected:
    // The waits of tests/support/waits.h, at hand in every test of the fixture.
    static bool waitUntil(const std::function<bool()>& condition,
                          std::chrono::milliseconds deadline = kWaitDeadline) {
        return test::waitUntil(condition, deadline);
    }
    static bool waitForPostedEvents() { return test::waitForPostedEvents(); }
    static bool showAndWait(QWidget& window) { return test::showAndWait(window); }
    static bool hideAndWait(QWidget& window) { return test::hideAndWait(window); }
    static bool activateAndWait(QWidget& window) { return test::activateAndWait(window); }

    AppDirFixture dir;
    MessageBoxRecorder boxes;
};

}  // namespace nimbara::test
