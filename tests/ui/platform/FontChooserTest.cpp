#include "ui/platform/FontChooser.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <utility>

#include "ui/platform/MessageBox.h"

namespace {

// ScreenFonts | AnsiOnly | LimitSize | ForceFontExist, as the display font is chosen.
constexpr int DisplayFlags = 0x12401;

// Records the messages the dialog would show.
struct FontChooserTest : ::testing::Test, MessageBox {
    void show(QWidget*, const QString& text) override { shown.append(text); }
    const QString family = ChooserFamilies(DisplayFlags).value(0);
    QStringList shown;
};

TEST_F(FontChooserTest, ListsOnlyExistingTextFamilies) {
    const QStringList families = ChooserFamilies(DisplayFlags);
    ASSERT_FALSE(families.isEmpty());
    for (const QString& f : families) {
        EXPECT_FALSE(QFontDatabase::isPrivateFamily(f)) << f.toStdString();
        EXPECT_NE(QFontDatabase::writingSystems(f), QList{QFontDatabase::Symbol});
    }
}

// The dialog is shown, so that it would be seen to close.
TEST_F(FontChooserTest, SizesOutsideTheRangeAndUnknownFacesAreRefusedAndTheDialogStaysOpen) {
    FontChooserDialog d(nullptr, {family, 36, false, true}, {DisplayFlags, 36, 512}, *this);
    d.show();
    const std::pair<QString, QString> refused[] = {{family, "35"},  {family, "513"},
                                                   {family, "abc"}, {family, "0"},
                                                   {family, ""},    {"No Such Face 12345", "72"}};
    qsizetype messages = 0;
    for (const auto& [face, size] : refused) {
        d.familyEdit()->setText(face);
        d.sizeEdit()->setText(size);
        d.accept();
        EXPECT_EQ(shown.size(), ++messages) << face.toStdString() << " " << size.toStdString();
        EXPECT_TRUE(d.isVisible());
    }
    ASSERT_NE(family.toLower(), family);
    d.familyEdit()->setText(family.toLower());  // found whatever the letter case
    d.sizeEdit()->setText("５１２");
    d.boldBox()->setChecked(true);
    d.accept();
    EXPECT_EQ(shown.size(), messages);
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(d.choice(), (FontChoice{family, 512, true, true}));  // in the list's spelling

    // The preview follows the fields, but at most at the size that fits its box.
    EXPECT_EQ(d.preview()->text(), "00:00:00");
    EXPECT_TRUE(d.preview()->font().bold() && d.preview()->font().italic());
    EXPECT_EQ(d.preview()->font().pointSizeF(), 60);
}

}  // namespace
