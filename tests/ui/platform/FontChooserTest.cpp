#include "ui/platform/FontChooser.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>

#include "ui/platform/MessageBox.h"

namespace {

class RecordingMessages : public MessageBox {
public:
    void show(QWidget*, const QString& text) override { shown.append(text); }
    QStringList shown;
};

constexpr int DisplayFlags = 0x12401;

class FontChooserTest : public ::testing::Test {
protected:
    FontChooserTest() : family(ChooserFamilies(DisplayFlags).value(0)) {}

    FontChooserDialog* dialog(const FontChoice& initial) {
        m_dialog = std::make_unique<FontChooserDialog>(
            nullptr, initial, FontChooserOptions{DisplayFlags, 36, 512}, messages);
        return m_dialog.get();
    }

    QString family;
    RecordingMessages messages;
    std::unique_ptr<FontChooserDialog> m_dialog;
};

TEST_F(FontChooserTest, ListsOnlyExistingTextFamilies) {
    const QStringList families = ChooserFamilies(DisplayFlags);
    ASSERT_FALSE(families.isEmpty());
    for (const QString& f : families) {
        EXPECT_FALSE(QFontDatabase::isPrivateFamily(f)) << f.toStdString();
        EXPECT_NE(QFontDatabase::writingSystems(f), QList{QFontDatabase::Symbol});
    }
}

TEST_F(FontChooserTest, SizesOutsideTheRangeAreRefusedAndTheDialogStaysOpen) {
    FontChooserDialog* d = dialog({family, 36, false, false});
    d->show();
    for (const char* size : {"20", "513", "abc", "0", ""}) {
        messages.shown.clear();
        d->sizeEdit()->setText(size);
        d->accept();
        EXPECT_EQ(messages.shown.size(), 1) << size;
        EXPECT_EQ(d->result(), QDialog::Rejected) << size;
        EXPECT_TRUE(d->isVisible()) << size;
    }
    messages.shown.clear();
    d->sizeEdit()->setText(QStringLiteral("７２"));
    d->boldBox()->setChecked(true);
    d->accept();
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(d->result(), QDialog::Accepted);
    EXPECT_EQ(d->choice(), (FontChoice{family, 72, true, false}));
}

TEST_F(FontChooserTest, FacesThatDoNotExistAreRefused) {
    FontChooserDialog* d = dialog({family, 48, false, true});
    d->familyEdit()->setText("No Such Face 12345");
    d->accept();
    EXPECT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(d->result(), QDialog::Rejected);

    d->familyEdit()->setText(family.toUpper());  // found whatever the letter case
    d->accept();
    EXPECT_EQ(d->result(), QDialog::Accepted);
    EXPECT_EQ(d->choice().family, family);
    EXPECT_TRUE(d->choice().italic);
}

TEST_F(FontChooserTest, PreviewShowsTheTimeInTheChosenFace) {
    FontChooserDialog* d = dialog({family, 36, false, false});
    EXPECT_EQ(d->preview()->text(), "00:00:00");
    d->italicBox()->setChecked(true);
    d->sizeEdit()->setText("40");
    EXPECT_TRUE(d->preview()->font().italic());
    EXPECT_EQ(d->preview()->font().pointSizeF(), 40);
}

}  // namespace
