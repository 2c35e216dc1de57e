#pragma once

#include "tests/support/appdirfixture.h"
#include "tests/support/messageboxrecorder.h"
#include "tests/support/settingguard.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

class QWidget;

namespace nimbara::test {

// The fixture of the tests that run windows: a temporary application directory as current
// directory and every box recorded, both put back when the test ends, however it ends. Tests add
// their own SettingGuard members for further global settings.
class WidgetTest : public testing::Test {
protected:
    // Handles events until condition holds or deadline has passed; whether it held.
    static bool waitUntil(const std::function<bool()>& condition,
                          std::chrono::milliseconds deadline = std::chrono::seconds(5));
    // Shows window and waits until the window system has put it on screen.
    static bool showAndWait(QWidget& window);
    // Hides window and waits until the window system has taken it off the screen.
    static bool hideAndWait(QWidget& window);

    AppDirFixture dir;
    MessageBoxRecorder boxes;
};

}  // namespace nimbara::test
