// The three dialog templates as compiled into the shipped installer, control by control, so
// that a default of the resource compiler (a style it adds unasked) can never go unseen.
#include "dialog_template.h"
#include "shipped.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

// The style bits the templates use, as the platform headers define them.
enum : uint32_t {
    WS_POPUP = 0x80000000, WS_CHILD = 0x40000000, WS_VISIBLE = 0x10000000, WS_DISABLED = 0x08000000,
    WS_CAPTION = 0x00C00000, WS_BORDER = 0x00800000, WS_VSCROLL = 0x00200000, WS_HSCROLL = 0x00100000,
    WS_SYSMENU = 0x00080000, WS_GROUP = 0x00020000, WS_TABSTOP = 0x00010000,
    DS_MODALFRAME = 0x80, DS_SETFONT = 0x40,
    BS_PUSHBUTTON = 0x0, BS_DEFPUSHBUTTON = 0x1, BS_AUTOCHECKBOX = 0x3, BS_GROUPBOX = 0x7,
    BS_OWNERDRAW = 0xB, BS_NOTIFY = 0x4000,
    ES_MULTILINE = 0x4, ES_AUTOHSCROLL = 0x80, ES_OEMCONVERT = 0x400, ES_READONLY = 0x800,
    SS_CENTER = 0x1, SS_ICON = 0x3, SS_NOPREFIX = 0x80,
    LBS_NOTIFY = 0x1, LBS_SORT = 0x2, LBS_OWNERDRAWFIXED = 0x10, LBS_HASSTRINGS = 0x40,
    LBS_DISABLENOSCROLL = 0x1000, LBS_NOSEL = 0x4000,
    CBS_DROPDOWNLIST = 0x3, CBS_OWNERDRAWFIXED = 0x10, CBS_AUTOHSCROLL = 0x40, CBS_SORT = 0x100,
    CBS_HASSTRINGS = 0x200,
    PBS_SMOOTH = 0x1,
    WS_EX_DLGMODALFRAME = 0x1, WS_EX_CLIENTEDGE = 0x200, WS_EX_STATICEDGE = 0x20000,
};

// Shorthands for the kinds of control the wizard repeats.
const uint32_t kShown = WS_CHILD | WS_VISIBLE;
const uint32_t kOwnerButton = BS_OWNERDRAW | WS_TABSTOP;
const uint32_t kOwnerLabel = BS_OWNERDRAW | WS_DISABLED;
const uint32_t kAutoCheck = BS_AUTOCHECKBOX | BS_NOTIFY | WS_TABSTOP;

struct ExpectedControl {
    int id;
    const char *className;
    uint32_t style;
    uint32_t exStyle;
    int x, y, width, height;
};

struct ExpectedDialog {
    int id;
    bool extended;
    uint32_t style;
    int x, y, width, height;
    const char *caption;
    const char *font;
    int pointSize;
    std::vector<ExpectedControl> controls;
};

const uint32_t kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;

const ExpectedDialog kMainDialog = { IDD_MAIN, true, kDialogStyle | WS_VISIBLE, 30, 14, 445, 210,
    "Pendrel Installer", "MS Sans Serif", 8, {
    { IDC_FOLDER, "Edit", kShown | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0, 164, 43, 169, 12 },
    { IDC_LICENCE_ENGLISH, "Button", WS_CHILD | kAutoCheck, 0, 157, 140, 82, 16 },
    { IDC_LICENCE_LIST, "ListBox", WS_CHILD | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOSEL | LBS_NOTIFY |
      WS_VSCROLL | WS_HSCROLL | WS_BORDER | WS_TABSTOP, 0, 136, 6, 296, 131 },
    { IDC_BROWSE, "Button", kShown | kOwnerButton, 0, 335, 42, 76, 16 },
    { IDC_DESKTOP_ICON, "Button", kShown | kAutoCheck, 0, 164, 86, 220, 16 },
    { IDC_FOLDER_LABEL, "Button", kShown | kOwnerLabel, 0, 164, 24, 198, 16 },
    { IDC_LICENCE_TEXT, "Edit", WS_CHILD | ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_BORDER | WS_TABSTOP, 0,
      138, 10, 291, 125 },
    { IDC_BACK, "Button", kShown | kOwnerButton, 0, 155, 164, 68, 16 },
    { IDC_NEXT, "Button", kShown | kOwnerButton, 0, 231, 164, 106, 16 },
    { IDC_CANCEL, "Button", kShown | kOwnerButton, 0, 345, 164, 68, 16 },
    { IDC_PRODUCT_NAME, "Static", kShown | SS_CENTER, 0, 6, 124, 111, 8 },
    { IDC_PRODUCT_ICON, "Static", kShown | SS_ICON, WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME, 48, 16, 20, 20 },
    { IDC_SEPARATOR, "Static", kShown | WS_BORDER, WS_EX_STATICEDGE | WS_EX_CLIENTEDGE, 122, 14, 1, 178 },
    { IDC_INSTALLER_NAME, "Static", kShown | SS_CENTER, 0, 6, 136, 111, 8 },
    { IDC_FAMILY_LABEL, "Button", kShown | kOwnerLabel, 0, 6, 59, 111, 16 },
    { IDC_PRODUCT_LABEL, "Button", kShown | kOwnerLabel, 0, 6, 77, 111, 16 },
    { IDC_SETUP_LABEL, "Button", kShown | kOwnerLabel, 0, 6, 95, 111, 16 },
    { IDC_SAMPLE_FRAME, "Button", WS_CHILD | BS_GROUPBOX, 0, 159, 10, 242, 62 },
    { IDC_DISPLAY_QUESTION, "Button", WS_CHILD | kOwnerLabel, 0, 165, 80, 230, 16 },
    { IDC_SAMPLE_LINE, "Button", WS_CHILD | kOwnerLabel, 0, 174, 22, 210, 27 },
    { IDC_DISPLAY_OK, "Button", WS_CHILD | kAutoCheck, 0, 179, 102, 220, 16 },
    { IDC_DISPLAY_NO, "Button", WS_CHILD | kAutoCheck, 0, 179, 118, 220, 16 },
    { IDC_LANGUAGE_LABEL, "Button", WS_CHILD | kOwnerLabel, 0, 155, 80, 230, 16 },
    { IDC_LANGUAGE, "ComboBox", WS_CHILD | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS |
      CBS_AUTOHSCROLL | WS_VSCROLL | WS_BORDER | WS_TABSTOP, 0, 170, 62, 228, 136 },
    { IDC_BLANK_LABEL, "Button", kShown | kOwnerLabel, 0, 6, 157, 111, 16 },
    { IDC_WEB_ADDRESS, "Static", kShown | SS_CENTER, 0, 14, 199, 79, 8 },
    { IDC_PROGRESS, "msctls_progress32", WS_CHILD | PBS_SMOOTH | WS_BORDER, 0, 139, 183, 294, 14 },
    { IDC_STATUS_PANEL, "Button", WS_CHILD | kOwnerLabel, 0, 139, 162, 181, 16 },
} };

const ExpectedDialog kMessageDialog = { IDD_MESSAGE, false, kDialogStyle | WS_VISIBLE, 0, 0, 330, 85,
    "Pendrel Install Message", "MS Sans Serif", 8, {
    { 1, "Button", WS_CHILD | kOwnerButton, 0, 87, 64, 73, 18 },
    { 4, "Button", WS_CHILD | kOwnerButton, 0, 87, 64, 73, 18 },
    { 6, "Button", WS_CHILD | kOwnerButton, 0, 174, 64, 73, 18 },
    { 7, "Button", WS_CHILD | kOwnerButton, 0, 257, 66, 73, 18 },
    { 2, "Button", WS_CHILD | kOwnerButton, 0, 6, 64, 73, 18 },
    { IDC_MESSAGE_CHINESE, "Button", kShown | kOwnerLabel, 0, 6, 4, 321, 24 },
    { IDC_MESSAGE_ENGLISH, "Static", kShown | SS_CENTER, 0, 6, 35, 87, 8 },
} };

// The file controls stay in the template, hidden, because the platform's dialog looks them up.
const uint32_t kFileList = WS_CHILD | WS_VSCROLL | WS_BORDER | WS_TABSTOP | LBS_NOTIFY | LBS_SORT |
                           LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_DISABLENOSCROLL;

const ExpectedDialog kPickerDialog = { IDD_PICKER, false, kDialogStyle, 36, 24, 258, 182,
    "Choose Destination Directory", "Helv", 8, {
    { 1090, "Static", WS_CHILD | WS_GROUP, 0, 169, 103, 68, 9 },
    { 1152, "Edit", WS_CHILD | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL | ES_OEMCONVERT, 0, 168, 99, 68, 12 },
    { 1120, "ListBox", kFileList, 0, 168, 89, 68, 17 },
    { 1088, "Static", kShown | WS_GROUP | SS_NOPREFIX, 0, 13, 23, 92, 9 },
    { IDC_PICKER_DIRECTORIES, "ListBox", kFileList | WS_VISIBLE, 0, 12, 36, 126, 129 },
    { 1089, "Static", WS_CHILD | WS_GROUP, 0, 167, 91, 68, 9 },
    { 1136, "ComboBox", WS_CHILD | WS_VSCROLL | WS_BORDER | WS_TABSTOP | CBS_DROPDOWNLIST | CBS_AUTOHSCROLL, 0,
      167, 100, 68, 36 },
    { 1091, "Static", WS_CHILD | WS_GROUP, 0, 158, 133, 64, 8 },
    { 1137, "ComboBox", kShown | WS_VSCROLL | WS_BORDER | WS_TABSTOP | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED |
      CBS_AUTOHSCROLL | CBS_SORT | CBS_HASSTRINGS, 0, 158, 142, 77, 68 },
    { 1, "Button", kShown | WS_GROUP | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 160, 36, 76, 16 },
    { 2, "Button", kShown | WS_GROUP | WS_TABSTOP | BS_PUSHBUTTON, 0, 160, 64, 76, 16 },
    { 1038, "Button", WS_CHILD | WS_GROUP | WS_TABSTOP | BS_PUSHBUTTON, 0, 177, 97, 50, 14 },
    { 1040, "Button", WS_CHILD | WS_GROUP | WS_TABSTOP | BS_AUTOCHECKBOX, 0, 179, 88, 50, 12 },
    { IDC_PICKER_DIRECTORIES_LABEL, "Button", kShown | WS_DISABLED | BS_OWNERDRAW, 0, 14, 3, 119, 16 },
    { IDC_PICKER_DRIVES_LABEL, "Button", kShown | WS_DISABLED | BS_OWNERDRAW, 0, 158, 124, 77, 16 },
    { 0xFFFF, "Static", WS_CHILD | WS_GROUP, 0, 13, 8, 92, 9 },
} };

DialogTemplate ReadShippedDialog(int id)
{
    DialogTemplate dialog;
    std::string error;
    if (!ShippedImage())
        return dialog;
    const int kDialogType = 5;
    auto dialogs = ReadResources(*ShippedImage())["#" + std::to_string(kDialogType)];
    if (!dialogs.count(id)) {
        ADD_FAILURE() << "no dialog " << id;
        return dialog;
    }
    if (!ParseDialogTemplate(dialogs[id].data, dialogs[id].size, &dialog, &error))
        ADD_FAILURE() << "dialog " << id << ": " << error;
    return dialog;
}

class ShippedTemplate : public testing::TestWithParam<const ExpectedDialog *> {};

TEST_P(ShippedTemplate, HeaderMatches)
{
    const ExpectedDialog &expected = *GetParam();
    DialogTemplate dialog = ReadShippedDialog(expected.id);
    EXPECT_EQ(expected.extended, dialog.extended);
    EXPECT_EQ(expected.style, dialog.style) << std::hex << "style 0x" << dialog.style;
    EXPECT_EQ(0u, dialog.exStyle);
    EXPECT_EQ(expected.x, dialog.x);
    EXPECT_EQ(expected.y, dialog.y);
    EXPECT_EQ(expected.width, dialog.width);
    EXPECT_EQ(expected.height, dialog.height);
    EXPECT_EQ(expected.caption, dialog.caption);
    EXPECT_EQ(expected.font, dialog.font);
    EXPECT_EQ(expected.pointSize, dialog.pointSize);
    if (expected.extended) {
        EXPECT_EQ(0, dialog.weight);
        EXPECT_EQ(0, dialog.italic);
        EXPECT_EQ(1, dialog.charset);
    }
}

// In template order, every control's ID, class, styles, position and size.
TEST_P(ShippedTemplate, ControlsMatch)
{
    const ExpectedDialog &expected = *GetParam();
    DialogTemplate dialog = ReadShippedDialog(expected.id);
    ASSERT_EQ(expected.controls.size(), dialog.controls.size());
    for (size_t i = 0; i < dialog.controls.size(); i++) {
        const ExpectedControl &want = expected.controls[i];
        const DialogControl &got = dialog.controls[i];
        SCOPED_TRACE(testing::Message() << "dialog " << expected.id << ", control #" << i + 1 << " (" << want.id
                                        << ")");
        EXPECT_EQ((uint32_t)want.id, got.id);
        EXPECT_STRCASEEQ(want.className, got.className.c_str());
        EXPECT_EQ(want.style, got.style) << std::hex << "style 0x" << got.style << ", expected 0x"
                                         << want.style;
        EXPECT_EQ(want.exStyle, got.exStyle) << std::hex << "extended style 0x" << got.exStyle;
        EXPECT_EQ(want.x, got.x);
        EXPECT_EQ(want.y, got.y);
        EXPECT_EQ(want.width, got.width);
        EXPECT_EQ(want.height, got.height);
    }
}

INSTANTIATE_TEST_SUITE_P(Dialogs, ShippedTemplate, testing::Values(&kMainDialog, &kMessageDialog, &kPickerDialog),
                         [](const testing::TestParamInfo<const ExpectedDialog *> &info) {
                             return "Dialog" + std::to_string(info.param->id);
                         });

} // namespace
