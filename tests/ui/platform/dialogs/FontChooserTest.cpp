#include "ui/platform/dialogs/FontChooser.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

#include "ui/platform/dialogs/MessageBox.h"

namespace {

// As the display font is chosen.
constexpr int DisplayFlags =
    FontChooserFlags::AnsiOnly | FontChooserFlags::LimitSize | FontChooserFlags::ForceFontExist;

template <typename W>
W* field(const QDialog& dialog, const char* name) {
    W* widget = dialog.findChild<W*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

// Records the messages the dialog would show.
struct FontChooserTest : ::testing::Test, MessageBox {
    void show(QWidget*, const QString& text) override { shown.append(text); }
    QStringList shown;
};

// The dialog is shown, so that it would be seen to close.
TEST_F(FontChooserTest, SizesOutsideTheRangeAndUnknownFacesAreRefusedAndTheDialogStaysOpen) {
    const QString family = ChooserFamilies(DisplayFlags).value(0);
    ASSERT_NE(family.toLower(), family);  // one is listed, and its letter case matters

    FontChooserDialog d(nullptr, {family, 36, false, true}, {DisplayFlags, 36, 512}, *this);
    d.show();
    const QString refused[][2] = {
        {family, "35"}, {family, "513"}, {family, "abc"}, {"No Such Face 12345", "72"}};
    for (const auto& [face, size] : refused) {
        field<QLineEdit>(d, "familyEdit")->setText(face);
        field<QLineEdit>(d, "sizeEdit")->setText(size);
        d.accept();
        EXPECT_TRUE(d.isVisible()) << face.toStdString() << " " << size.toStdString();
    }
    EXPECT_EQ(shown.size(), std::ssize(refused));  // a message for each

    field<QLineEdit>(d, "familyEdit")->setText(family.toLower());  // found whatever the letter case
    field<QLineEdit>(d, "sizeEdit")->setText("５１２");
    field<QCheckBox>(d, "bold")->setChecked(true);
    d.accept();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(d.choice(), (FontChoice{family, 512, true, true}));  // in the list's spelling
    // The preview follows the size, but at most to what fits its box.
    EXPECT_EQ(field<QLabel>(d, "preview")->font().pointSizeF(), 60);
}

}  // namespace
