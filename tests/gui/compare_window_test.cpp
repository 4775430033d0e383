// File -> "Compare With Config File…" after a Connect to the simulated panel: the window lists
// the differing settings, says "No differences" for an equal file, and "Save…" writes its rows.
#include <gtest/gtest.h>
#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "app/configuration_file.h"
#include "app/connection_settings.h"
#include "app/main_window.h"
#include "app/view/compare_window.h"
#include "app/view/main_window_view.h"
#include "pages/kit/app_flags.h"
#include "pages/kit/text_file.h"
#include "protocol/value_store.h"
#include "resources/ids/main_window.h"
#include "serial/serial_link.h"
#include "sim/pty_panel.h"
#include "tests/gui/page_view_fixture.h"
#include "tests/support/fake_user_prompts.h"
#include "tests/support/private_working_dir.h"
#include "tests/support/process_state.h"
#include "tests/support/pty_pair.h"

namespace {

using namespace testing_support;

class CompareWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetProcessState();
        SaveConnectionSettings({5, 4, 1, 0});  // COM 05
        window_.OnInitDialog();
        panel_.setRegister(2, 24, 1200);
        panel_.linkAsComPort(5);
    }
    void TearDown() override {
        CloseCommPort();
        ResetFlags();
    }

    // What the store holds but for one setting, as a configuration file; the store stays.
    static std::string FileWith(unsigned bank, unsigned reg, int32_t value) {
        const int32_t old = StoreSlot(bank, reg);
        StoreSlot(bank, reg) = value;
        const std::string text = WithCrLf(FormatConfigurationFile());
        StoreSlot(bank, reg) = old;
        return text;
    }

    QStringList Row(QTableWidget* table, int row) const {
        QStringList texts;
        for (int column = 0; column < table->columnCount(); ++column) {
            texts << table->item(row, column)->text();
        }
        return texts;
    }

    PrivatePortsFolder ports_;
    PrivateWorkingDir cwd_;
    sim::PtyPanel panel_;
    FakeUserPrompts prompts_;
    CRegToolDlg window_{prompts_};
    MainWindowView view_{window_, prompts_};
};

TEST_F(CompareWindowTest, ListsTheDifferencesSaysWhenThereAreNoneAndSavesThem) {
    view_.show();
    QTest::mouseClick(view_.ConnectButton(), Qt::LeftButton);
    ASSERT_TRUE(Flags().connected);
    WriteFile("same.kz0", FileWith(2, 24, 1200));
    WriteFile("approved.kz0", FileWith(2, 24, 1235));
    auto* menuItem =
        view_.findChild<QAction*>(QStringLiteral("menu%1").arg(ids::menu::kCompareWithConfig));
    ASSERT_NE(menuItem, nullptr);

    prompts_.fileNames = {"same.kz0"};
    menuItem->trigger();
    auto* compare = view_.findChild<CompareWindow*>();
    ASSERT_NE(compare, nullptr);
    EXPECT_TRUE(compare->isVisible());
    EXPECT_EQ(compare->windowTitle(), QStringLiteral("Compare With Config File"));
    EXPECT_EQ(compare->Table()->rowCount(), 0);
    EXPECT_TRUE(compare->Summary()->isVisible());
    EXPECT_EQ(compare->Summary()->text(), QStringLiteral("No differences"));

    prompts_.fileNames = {"approved.kz0"};
    menuItem->trigger();
    EXPECT_EQ(view_.findChildren<CompareWindow*>().size(), 1);
    QStringList headers;
    for (int column = 0; column < compare->Table()->columnCount(); ++column) {
        headers << compare->Table()->horizontalHeaderItem(column)->text();
    }
    EXPECT_EQ(headers,
              (QStringList{"Section", "Setting", "Panel", "approved.kz0", "Bank/Register"}));
    ASSERT_EQ(compare->Table()->rowCount(), 1);
    EXPECT_EQ(Row(compare->Table(), 0),
              (QStringList{"<REGULATOR>", "Fwd Volts:", "120.0", "123.5", "2/24"}));
    EXPECT_FALSE(compare->Summary()->isVisible());
    EXPECT_TRUE(SaveScreenshot(*compare, QStringLiteral("compare_window.png")));

    prompts_.fileNames = {"differences.csv"};
    QTest::mouseClick(compare->SaveButton(), Qt::LeftButton);
    EXPECT_EQ(ReadFile(cwd_.dir() + "/differences.csv"),
              "Section,Setting,Panel,approved.kz0,Bank/Register\r\n"
              "<REGULATOR>,Fwd Volts:,120.0,123.5,2/24\r\n");
    EXPECT_EQ(prompts_.Captions().back(), kFileCreatedCaption);

    QTest::mouseClick(compare->CloseButton(), Qt::LeftButton);
    EXPECT_FALSE(compare->isVisible());
}

}  // namespace
