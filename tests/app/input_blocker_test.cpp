#include "app/input_blocker.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

namespace quillet {
namespace {

TEST(InputBlocker, DropsInputAndRefusesToCloseWhileItLives) {
    QLineEdit edit;
    edit.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&edit));
    {
        const InputBlocker blocker;
        QTest::keyClicks(&edit, "abc");
        QTest::mouseClick(&edit, Qt::LeftButton);
        EXPECT_FALSE(edit.close());
        EXPECT_TRUE(edit.isVisible());
        edit.repaint();  // painting goes on
    }
    EXPECT_EQ(edit.text(), "");  // dropped, not delivered later
    QApplication::processEvents();
    EXPECT_EQ(edit.text(), "");
    QTest::keyClicks(&edit, "ok");
    EXPECT_EQ(edit.text(), "ok");
    EXPECT_TRUE(edit.close());
}

}  // namespace
}  // namespace quillet
