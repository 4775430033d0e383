// The small pure rules of the shell: list texts, the form model, scrolling, help paths.
#include <gtest/gtest.h>

#include "app/connection_lists.h"
#include "app/help_documents.h"
#include "app/window_scroll.h"
#include "pages/kit/form_model.h"

namespace {

TEST(ConnectionLists, PortNamesAreTwoDigitsUpTo99) {
    EXPECT_EQ(PortName(0), "NULL");
    EXPECT_EQ(PortName(1), "01");
    EXPECT_EQ(PortName(99), "99");
    EXPECT_EQ(PortName(100), "100");
    EXPECT_EQ(PortName(255), "255");
    auto items = PortItems();
    ASSERT_EQ(items.size(), 255u);
    EXPECT_EQ(items.front(), "01");
    EXPECT_EQ(items.back(), "255");
    EXPECT_EQ(CommAddressItems().size(), 200u);
    EXPECT_EQ(CommAddressItems().back(), "199");
}

TEST(ConnectionLists, ParityTextsGiveTheirCodes) {
    EXPECT_EQ(ParityCode("NONE"), 0);
    EXPECT_EQ(ParityCode("EVEN"), 1);
    EXPECT_EQ(ParityCode("ODD"), 2);
    EXPECT_EQ(ParityCode(""), 1);
    EXPECT_EQ(LeadingNumber("19200"), 19200);
    EXPECT_EQ(LeadingNumber("07"), 7);
    EXPECT_EQ(LeadingNumber("x"), 0);
}

TEST(FormModel, ResetGoesBackToTheFormKeepingTheListItems) {
    FormModel form;
    form[1].text = "a";
    form[2].items = {"OFF", "ON"};
    form[2].Select(1);
    form[2].enabled = false;
    form[2].caption = "set";
    EXPECT_TRUE(form[2].enabled == false);
    EXPECT_FALSE(form[1].enabled == true);  // never set: the form decides
    int told = 0;
    form.SetChangeListener([&] { ++told; });
    form.Reset();
    form.Changed();
    EXPECT_EQ(form[1].text, "");
    EXPECT_EQ(form[2].selected, -1);
    EXPECT_EQ(form[2].items, (std::vector<std::string>{"OFF", "ON"}));
    EXPECT_FALSE(form[2].enabled.IsSet());
    EXPECT_FALSE(form[2].caption.IsSet());
    EXPECT_EQ(told, 1);
}

TEST(WindowScroll, RangeIsTheLostHeightAndMovesStayInside) {
    ScrollState s = ScrollAfterResize(845, 600);
    EXPECT_EQ(s.range, 245);
    EXPECT_EQ(s.page, 24);
    EXPECT_EQ(s.position, 0);
    EXPECT_EQ(ScrollAfterResize(600, 845).range, 0);
    EXPECT_EQ(ScrollTo(s, ScrollAction::kLineDown), 2);
    EXPECT_EQ(ScrollTo(s, ScrollAction::kPageDown), 24);
    EXPECT_EQ(ScrollTo(s, ScrollAction::kLineUp), 0);
    s.position = 240;
    EXPECT_EQ(ScrollTo(s, ScrollAction::kPageDown), 245);
    EXPECT_EQ(ScrollTo(s, ScrollAction::kThumb, 100), 100);
    EXPECT_EQ(ScrollTo(s, ScrollAction::kThumb, 900), 245);
}

TEST(HelpDocuments, DocumentsLieBesideTheProgram) {
    EXPECT_EQ(DocumentBesideProgram("/opt/voltscope/bin/voltscope", "VoltScope5_UG.pdf"),
              "/opt/voltscope/bin/VoltScope5_UG.pdf");
    EXPECT_EQ(DocumentBesideProgram("voltscope", "Ver_Info.txt"), "Ver_Info.txt");
}

}  // namespace
