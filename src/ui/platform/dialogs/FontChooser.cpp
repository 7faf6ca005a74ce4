#include "ui/platform/dialogs/FontChooser.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "settings/NumberText.h"
#include "ui/platform/dialogs/MessageBox.h"

namespace {

const int OfferedSizes[] = {8,   9,   10,  11,  12,  14,  16,  18,  20,  22,  24,  26,
                            28,  36,  40,  48,  54,  60,  66,  72,  80,  88,  96,  108,
                            120, 144, 168, 192, 216, 240, 288, 336, 384, 432, 480, 512};

bool limitsSize(const FontChooserOptions& o) {
    return o.flags & FontChooserFlags::LimitSize;
}

QString sizeText(double points) {
    return QString::number(points, 'g', 8);
}

}  // namespace

QStringList ChooserFamilies(int flags) {
    QStringList families;
    for (const QString& family : QFontDatabase::families()) {
        if (QFontDatabase::isPrivateFamily(family)) {
            continue;
        }
        if (flags & FontChooserFlags::AnsiOnly) {
            const auto systems = QFontDatabase::writingSystems(family);
            if (systems.isEmpty() ||
                (systems.size() == 1 && systems.front() == QFontDatabase::Symbol)) {
                continue;
            }
        }
        families.append(family);
    }
    return families;
}

FontChooserDialog::FontChooserDialog(QWidget* parent, const FontChoice& initial,
                                     const FontChooserOptions& options, MessageBox& messages)
    : QDialog(parent),
      m_options(options),
      m_messages(messages),
      m_families(ChooserFamilies(options.flags)),
      m_familyEdit(new QLineEdit(initial.family)),
      m_familyList(new QListWidget),
      m_sizeEdit(new QLineEdit(sizeText(initial.pointSize))),
      m_sizeList(new QListWidget),
      m_bold(new QCheckBox(QStringLiteral("太字(&B)"))),
      m_italic(new QCheckBox(QStringLiteral("斜体(&I)"))),
      m_preview(new QLabel(QStringLiteral("00:00:00"))),
      m_choice(initial) {
    setWindowTitle(QStringLiteral("フォント"));
    // Named, so that the fields can be found by name (tests, accessibility tools).
    m_familyEdit->setObjectName("familyEdit");
    m_sizeEdit->setObjectName("sizeEdit");
    m_bold->setObjectName("bold");
    m_italic->setObjectName("italic");
    m_preview->setObjectName("preview");

    m_familyList->addItems(m_families);
    for (int size : OfferedSizes) {
        if (!limitsSize(options) || (size >= options.minSize && size <= options.maxSize)) {
            m_sizeList->addItem(QString::number(size));
        }
    }
    m_bold->setChecked(initial.bold);
    m_italic->setChecked(initial.italic);
    if (const auto items = m_familyList->findItems(initial.family, Qt::MatchFixedString);
        !items.isEmpty()) {
        m_familyList->setCurrentItem(items.front());
    }

    connect(m_familyList, &QListWidget::currentTextChanged, m_familyEdit, &QLineEdit::setText);
    connect(m_sizeList, &QListWidget::currentTextChanged, m_sizeEdit, &QLineEdit::setText);
    connect(m_familyEdit, &QLineEdit::textChanged, this, &FontChooserDialog::updatePreview);
    connect(m_sizeEdit, &QLineEdit::textChanged, this, &FontChooserDialog::updatePreview);
    connect(m_bold, &QCheckBox::toggled, this, &FontChooserDialog::updatePreview);
    connect(m_italic, &QCheckBox::toggled, this, &FontChooserDialog::updatePreview);

    auto* familyLabel = new QLabel(QStringLiteral("フォント名(&F):"));
    familyLabel->setBuddy(m_familyEdit);
    auto* sizeLabel = new QLabel(QStringLiteral("サイズ(&S):"));
    sizeLabel->setBuddy(m_sizeEdit);

    auto* grid = new QGridLayout;
    grid->addWidget(familyLabel, 0, 0);
    grid->addWidget(m_familyEdit, 1, 0);
    grid->addWidget(m_familyList, 2, 0, 3, 1);
    grid->addWidget(sizeLabel, 0, 1);
    grid->addWidget(m_sizeEdit, 1, 1);
    grid->addWidget(m_sizeList, 2, 1);
    grid->addWidget(m_bold, 3, 1);
    grid->addWidget(m_italic, 4, 1);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 1);

    auto* sample = new QGroupBox(QStringLiteral("サンプル"));
    auto* sampleLayout = new QVBoxLayout(sample);
    m_preview->setAlignment(Qt::AlignCenter);
    m_preview->setFixedSize(420, 120);
    sampleLayout->addWidget(m_preview);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("ｷｬﾝｾﾙ"));
    connect(buttons, &QDialogButtonBox::accepted, this, &FontChooserDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &FontChooserDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(sample);
    layout->addWidget(buttons);
    updatePreview();
}

std::optional<double> FontChooserDialog::enteredSize() const {
    const auto size = ParseNumberText(m_sizeEdit->text().toStdString());
    if (!size || *size <= 0) {
        return std::nullopt;
    }
    return *size;
}

void FontChooserDialog::updatePreview() {
    QFont font(m_familyEdit->text());
    // The preview shows at most what fits its box; the chosen size can be far larger.
    font.setPointSizeF(std::min(enteredSize().value_or(m_choice.pointSize), 60.0));
    font.setBold(m_bold->isChecked());
    font.setItalic(m_italic->isChecked());
    m_preview->setFont(font);
}

void FontChooserDialog::accept() {
    const QString family = m_familyEdit->text().trimmed();
    if ((m_options.flags & FontChooserFlags::ForceFontExist) &&
        !m_families.contains(family, Qt::CaseInsensitive)) {
        m_messages.show(this, QStringLiteral("そのフォント名のフォントはありません。\n"
                                             "一覧からフォントを選んでください。"));
        m_familyEdit->setFocus();
        return;
    }
    const auto size = enteredSize();
    if (!size ||
        (limitsSize(m_options) && (*size < m_options.minSize || *size > m_options.maxSize))) {
        m_messages.show(this, limitsSize(m_options)
                                  ? QStringLiteral("サイズは %1 から %2 ポイントの間で指定して"
                                                   "ください。")
                                        .arg(m_options.minSize)
                                        .arg(m_options.maxSize)
                                  : QStringLiteral("サイズは数値で指定してください。"));
        m_sizeEdit->setFocus();
        m_sizeEdit->selectAll();
        return;
    }
    // Keep the list's spelling of the family.
    QString listed = family;
    for (const QString& known : m_families) {
        if (known.compare(family, Qt::CaseInsensitive) == 0) {
            listed = known;
            break;
        }
    }
    m_choice = {listed, *size, m_bold->isChecked(), m_italic->isChecked()};
    QDialog::accept();
}

FontChoice FontChooserDialog::choice() const {
    return m_choice;
}

std::optional<FontChoice> QtFontChooser::chooseFont(QWidget* parent, const FontChoice& initial,
                                                    const FontChooserOptions& options) {
    FontChooserDialog dialog(parent, initial, options, m_messages);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.choice();
}
