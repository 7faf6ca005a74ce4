#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <optional>

class MessageBox;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;

struct FontChoice {
    QString family;
    double pointSize = 36;
    bool bold = false;
    bool italic = false;
    bool operator==(const FontChoice&) const = default;
};

// Options of the font chooser, as the bits of the classic font dialog's option set.
namespace FontChooserFlags {
inline constexpr int AnsiOnly = 0x00400;  // ordinary text fonts only, no symbol fonts
inline constexpr int LimitSize = 0x02000;
inline constexpr int ForceFontExist = 0x10000;
}  // namespace FontChooserFlags

struct FontChooserOptions {
    int flags = 0;
    int minSize = 0;  // with LimitSize
    int maxSize = 0;
};

// Lets the user choose a font, or cancel (no value).
class FontChooser {
public:
    virtual ~FontChooser() = default;
    virtual std::optional<FontChoice> chooseFont(QWidget* parent, const FontChoice& initial,
                                                 const FontChooserOptions& options) = 0;
};

// Families the chooser lists: existing ones only; with AnsiOnly, no symbol-only fonts.
QStringList ChooserFamilies(int flags);

// Our own dialog, because QFontDialog cannot limit the sizes it accepts. Sizes outside the
// range and faces that do not exist are refused with a message; the dialog stays open.
class FontChooserDialog : public QDialog {
    Q_OBJECT
public:
    FontChooserDialog(QWidget* parent, const FontChoice& initial, const FontChooserOptions& options,
                      MessageBox& messages);

    FontChoice choice() const;  // valid after accept()
    void accept() override;

private:
    void updatePreview();
    std::optional<double> enteredSize() const;

    FontChooserOptions m_options;
    MessageBox& m_messages;
    QStringList m_families;
    QLineEdit* m_familyEdit;
    QListWidget* m_familyList;
    QLineEdit* m_sizeEdit;
    QListWidget* m_sizeList;
    QCheckBox* m_bold;
    QCheckBox* m_italic;
    QLabel* m_preview;
    FontChoice m_choice;
};

class QtFontChooser : public FontChooser {
public:
    explicit QtFontChooser(MessageBox& messages) : m_messages(messages) {}
    std::optional<FontChoice> chooseFont(QWidget* parent, const FontChoice& initial,
                                         const FontChooserOptions& options) override;

private:
    MessageBox& m_messages;
};
