#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <memory>
#include <optional>

#include "app/main_window.h"

namespace quillet::testing {

// The main window as start-up makes it, over a fresh global editor, shown on
// the offscreen platform; the shell's globals are released afterwards.
class MainWindowFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Chooses "新建工程" and, while its window is open, fills in the path and
    // name and presses "完成", or closes the window when there is no name.
    void newProject(const QString& path, const std::optional<QString>& name);

    std::unique_ptr<MainWindow> window;
};

}  // namespace quillet::testing
