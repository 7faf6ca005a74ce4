#include "ui/main/frmMain.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScreen>

#include "AppInfo.h"
#include "settings/SettingsPersistence.h"
#include "ui/about/frmAbout.h"
#include "ui/bell/fBell.h"
#include "ui/main/DisplayFont.h"
#include "ui/main/DisplayLayout.h"
#include "ui/main/Glyphs.h"
#include "ui/main/MainTexts.h"
#include "ui/options/frmOptions.h"
#include "ui/platform/FormDesign.h"
#include "ui/platform/SystemColors.h"
#include "ui/platform/dialogs/FontChooser.h"

namespace {

QRect toQRect(const LayoutRect& r) {
    return {r.left, r.top, r.width, r.height};
}

QLabel* label(QWidget* parent, const char* name, const QString& text, const QRect& geometry) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(geometry);
    return l;
}

void singleBorder(QLabel* l) {
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    l->setLineWidth(1);
}

QPushButton* button(QWidget* parent, const char* name, const QString& text, const QRect& geometry) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(geometry);
    return b;
}

// The focus sink stands outside the window and only parks the focus; a screen reader should not
// find it, so it reads as an invisible, nameless filler instead of a push button "d".
class FocusSinkAccessible : public QAccessibleWidget {
public:
    explicit FocusSinkAccessible(QWidget* widget)
        : QAccessibleWidget(widget, QAccessible::Client) {}
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.invisible = true;
        s.offscreen = true;
        s.focusable = false;
        return s;
    }
    QString text(QAccessible::Text) const override { return {}; }
};

constexpr const char* FocusSinkProperty = "rondelayFocusSink";

QAccessibleInterface* focusSinkFactory(const QString&, QObject* object) {
    if (object && object->isWidgetType() && object->property(FocusSinkProperty).toBool()) {
        return new FocusSinkAccessible(static_cast<QWidget*>(object));
    }
    return nullptr;
}

}  // namespace

frmMain::frmMain(ProgramData& data, PlatformServices& platform, QWidget* parent)
    : QMainWindow(parent), m_data(data), m_platform(platform) {
    setObjectName("frmMain");
    setWindowTitle(QStringLiteral("タイマー"));  // replaced by the title rule at first show
    // Sizable, with a minimise button and no maximise button.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);

    auto* client = new QWidget(this);
    setCentralWidget(client);

    // Created in tab order; the labels take no focus.
    fTimerDisplay = label(client, "fTimerDisplay", "00:00:00", DesignRect(120, 600, 2535, 780));
    singleBorder(fTimerDisplay);
    fTimerDisplay->setAlignment(Qt::AlignCenter);
    fTimerDisplay->setFont(DesignFont(36, false));

    fStartButton = button(client, "fStartButton", {}, DesignRect(2160, 1440, 375, 255));
    fStartButton->setDefault(true);
    fStartButton->setIconSize(QSize(8, 8));

    fStatus = label(client, "fStatus", {}, DesignRect(120, 1440, 1935, 495));
    singleBorder(fStatus);
    fStatus->setFont(DesignFont(8.25, false));
    fStatus->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    fStatus->setWordWrap(true);
    SetForeColor(fStatus, SystemColor::WindowText);

    fClearButton =
        button(client, "fClearButton", QStringLiteral("Ｃ"), DesignRect(2160, 1680, 375, 255));
    fClearButton->setToolTip(QStringLiteral("クリアー"));
    fClearButton->setAccessibleName(QStringLiteral("クリアー"));  // what it does, not "Ｃ"
    fDumyButton = button(client, "fDumyButton", "d", DesignRect(2520, 1680, 255, 255));
    fDumyButton->setProperty(FocusSinkProperty, true);
    QAccessible::installFactory(focusSinkFactory);
    // With the bridge on, creating the button already made it an ordinary button interface;
    // drop that one so the next query asks the factory.
    if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(fDumyButton)) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    }

    fTimerRound = label(client, "fTimerRound", "0", DesignRect(1320, 0, 975, 375));
    singleBorder(fTimerRound);
    fTimerRound->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    fTimerRound->setFont(DesignFont(15.75, true));

    fTimerRoundTitle =
        label(client, "fTimerRoundTitle", QStringLiteral("Round："), DesignRect(120, 0, 1110, 315));
    fTimerRoundTitle->setFont(DesignFont(15.75, true));
    // The counter reads as its number, labelled by its title. Both it and the time display are
    // plain labels: their value is read when a user goes to them, never announced each second.
    fTimerRoundTitle->setBuddy(fTimerRound);

    for (QPushButton* b : {fStartButton, fClearButton, fDumyButton}) {
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::StrongFocus);
    }
    setTabOrder(fStartButton, fClearButton);
    setTabOrder(fClearButton, fDumyButton);

    connect(fStartButton, &QPushButton::clicked, this, &frmMain::fStartButton_Click);
    connect(fClearButton, &QPushButton::clicked, this, &frmMain::fClearButton_Click);
    connect(&fTimer, &TickSource::tick, this, [this] { m_data.engine.Tick(*this); });

    CreateMenus();
    resize(DesignRect(0, 0, 3705, 2220).size());
    m_data.forms.add(this);
    Form_Load();
}

void frmMain::CreateMenus() {
    // Captions exactly as users know them, half-width katakana included; no shortcut keys.
    auto item = [this](QMenu* menu, const QString& caption, auto handler) {
        QAction* action = menu->addAction(caption);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    QMenu* mnuFile = menuBar()->addMenu(QStringLiteral("ﾌｧｲﾙ(&F)"));
    mnuStartTimer =
        item(mnuFile, QStringLiteral("スタート(&S)"), [this] { m_data.engine.StartStop(*this); });
    mnuClearTimer =
        item(mnuFile, QStringLiteral("クリアー(&C)"), [this] { m_data.engine.ClearTimer(*this); });
    mnuFile->addSeparator();
    mnuFileDelRegExit = item(mnuFile, QStringLiteral("レジストリを削除して終了"),
                             &frmMain::mnuFileDelRegExit_Click);
    mnuFile->addSeparator();
    mnuFileExit = item(mnuFile, QStringLiteral("終了(&X)"), &frmMain::close);

    QMenu* mnuView = menuBar()->addMenu(QStringLiteral("表示(&V)"));
    mnuSetFont = item(mnuView, QStringLiteral("フォント(&F)..."), &frmMain::ChooseDisplayFont);
    mnuView->addSeparator();
    mnuViewOptions = item(mnuView, QStringLiteral("ｵﾌﾟｼｮﾝ(&O)..."), &frmMain::mnuViewOptions_Click);

    QMenu* mnuHelp = menuBar()->addMenu(QStringLiteral("ﾍﾙﾌﾟ(&H)"));
    mnuHelpAbout =
        item(mnuHelp, QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&A)..."), &frmMain::mnuHelpAbout_Click);
}

void frmMain::mnuViewOptions_Click() {
    {
        frmOptions options({m_data.settings, m_data.handOver, m_data.forms, m_platform.colorChooser,
                            m_platform.messageBox, [this] { ShowBellChooser(); }},
                           this);
        options.exec();
    }
    m_data.bells->PrepareBells();
    // New settings always start from a cleared clock; a running timer keeps running.
    m_data.engine.ClearTimer(*this);
    UpdateStatus();
}

void frmMain::ShowBellChooser() {
    // Shown without an owner, modal to the whole program.
    fBell chooser(m_data.handOver, m_platform.makeFileChooser(), m_data.forms);
    chooser.setWindowModality(Qt::ApplicationModal);
    chooser.exec();
}

void frmMain::mnuHelpAbout_Click() {
    frmAbout about(m_data.forms, this);
    about.exec();
}

void frmMain::mnuFileDelRegExit_Click() {
    DelRegFlag = true;
    close();
}

void frmMain::Form_Load() {
    LoadSettings(m_platform.store, m_data.settings);
    m_data.bells->PrepareBells();
    DelRegFlag = false;
    UpdateStatus();
    fTimer.setInterval(1000);
    fTimer.setEnabled(false);
    ApplyDisplayFont();
    StartGlyph = GlyphIcon(StartGlyphImage());
    StopGlyph = GlyphIcon(StopGlyphImage());
    m_data.engine.ResetRunFlag();
    UpdateStartStop(false);
    m_data.engine.ClearTimer(*this);
}

void frmMain::Form_Unload() {
    if (m_unloaded) {
        return;
    }
    m_unloaded = true;
    fTimer.setEnabled(false);
    // Most recently loaded first; a dialog closed this way counts as cancelled.
    const QList<QWidget*> forms = m_data.forms.forms();
    for (qsizetype n = forms.size() - 1; n >= 1; --n) {
        forms[n]->close();
    }
    CommitSettings();
}

void frmMain::CommitSettings() {
    if (DelRegFlag) {
        DeleteSettings(m_platform.store);
    } else {
        SaveSettings(m_platform.store, m_data.settings);
    }
}

bool frmMain::ShowsMinimisedTitle() const {
    return m_toldWhenMinimised && isMinimized();
}

void frmMain::UpdateDisplay(const TimerState& state) {
    if (ShowsMinimisedTitle()) {
        setWindowTitle(QString::fromStdString(MinimisedTitle(state)));
        return;
    }
    fTimerDisplay->setText(QString::fromStdString(TimeText(state)));
    fTimerRound->setText(QString::number(state.Round));
}

void frmMain::SetDisplayColor(std::int32_t color) {
    SetForeColor(fTimerDisplay, color);
}

void frmMain::UpdateStartStop(bool running) {
    fStartButton->setIcon(running ? StopGlyph : StartGlyph);
    const QString action = running ? QStringLiteral("ストップ") : QStringLiteral("スタート");
    fStartButton->setToolTip(action);
    fStartButton->setAccessibleName(action);  // the button shows only a picture
    mnuStartTimer->setText(running ? QStringLiteral("ストップ(&S)")
                                   : QStringLiteral("スタート(&S)"));
}

void frmMain::SetTickSourceEnabled(bool enabled) {
    fTimer.setEnabled(enabled);
}

void frmMain::UpdateStatus() {
    // The text's line break is CR LF; the label breaks on LF alone.
    QString text = QString::fromStdString(StatusText(m_data.settings, m_data.engine.IsRoundMode()));
    fStatus->setText(text.replace("\r\n", "\n"));
}

void frmMain::ApplyDisplayFont() {
    QFont font = MakeDisplayFont(m_data.settings.Font, QMainWindow::font());
    fTimerDisplay->setFont(font);
    // Keep the window within the screen, however large the stored size.
    if (const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen()) {
        const QSize available = s->availableGeometry().size();
        const QSize sample = measureSample();
        const double fitted = FitPointSize(font.pointSizeF(), {sample.width(), sample.height()},
                                           {available.width(), available.height()});
        if (fitted != font.pointSizeF()) {
            font.setPointSizeF(fitted);
            fTimerDisplay->setFont(font);
        }
    }
    ArrangeDisplay();
}

void frmMain::ChooseDisplayFont() {
    FontFields& fields = m_data.settings.Font;
    const FontChoice initial{QFontInfo(fTimerDisplay->font()).family(), fields.Size.points(),
                             fields.Bold, fields.Italic};
    using namespace FontChooserFlags;
    const auto choice = m_platform.fontChooser.chooseFont(
        this, initial, {AnsiOnly | LimitSize | ForceFontExist, 36, 512});
    if (!choice) {
        return;
    }
    fields.Name = choice->family.toStdString();
    fields.Size = FontSize::fromPoints(choice->pointSize).value_or(fields.Size);
    fields.Bold = choice->bold;
    fields.Italic = choice->italic;
    ApplyDisplayFont();
}

QSize frmMain::measureSample() const {
    // Auto-size: the display takes the size of the sample in its font, border included; its
    // caption is put back.
    const QString caption = fTimerDisplay->text();
    fTimerDisplay->setText(QString::fromLatin1(DisplaySample));
    const QSize sample = fTimerDisplay->sizeHint();
    fTimerDisplay->setText(caption);
    return sample;
}

void frmMain::ArrangeDisplay() {
    if (isMinimized()) {
        return;
    }
    const QSize sample = measureSample();
    KeptSizes kept;
    kept.roundTitle = {fTimerRoundTitle->width(), fTimerRoundTitle->height()};
    kept.round = {fTimerRound->width(), fTimerRound->height()};
    kept.startButton = {fStartButton->width(), fStartButton->height()};
    kept.clearButton = {fClearButton->width(), fClearButton->height()};
    kept.statusHeight = fStatus->height();
    kept.focusButton = {fDumyButton->width(), fDumyButton->height()};
    const DisplayLayout layout = ComputeDisplayLayout({sample.width(), sample.height()}, kept);

    fTimerRoundTitle->setGeometry(toQRect(layout.roundTitle));
    fTimerRound->setGeometry(toQRect(layout.round));
    fTimerDisplay->setGeometry(toQRect(layout.display));
    fStartButton->setGeometry(toQRect(layout.startButton));
    fClearButton->setGeometry(toQRect(layout.clearButton));
    fStatus->setGeometry(toQRect(layout.status));
    fDumyButton->setGeometry(toQRect(layout.focusButton));

    // The outer size counts nominal frame, caption and menu bar; the real frame is the
    // window manager's, so size the client and add the real menu bar.
    const LayoutSize content = ContentSizeForOuter(layout.outer);
    const int menuHeight = menuWidget() ? menuWidget()->sizeHint().height() : 0;
    resize(content.width, content.height + menuHeight);
}

void frmMain::ApplyTitleRule() {
    if (!ShowsMinimisedTitle()) {
        setWindowTitle(QString::fromUtf8(AppInfo::Title));
    }
}

void frmMain::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        ApplyTitleRule();
        // While minimised the ticks wrote only the title, and the timer may have stopped
        // itself meanwhile: the labels catch up at once, not at the next tick or never.
        const auto* change = static_cast<QWindowStateChangeEvent*>(event);
        if (change->oldState().testFlag(Qt::WindowMinimized) && !ShowsMinimisedTitle()) {
            m_data.engine.ShowClock(*this);
        }
    }
}

void frmMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    ApplyTitleRule();
}

void frmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    ApplyTitleRule();
}

void frmMain::keyPressEvent(QKeyEvent* event) {
    // Enter presses the default button wherever the focus is.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        fStartButton->click();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void frmMain::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
    QMainWindow::closeEvent(event);
}

void frmMain::ParkFocus() {
    // With a screen reader the focus stays on the pressed button, which then reads its new
    // name; moving it to a control the reader cannot see would leave the user nowhere.
    if (!QAccessible::isActive()) {
        fDumyButton->setFocus();
    }
}

void frmMain::fStartButton_Click() {
    ParkFocus();
    m_data.engine.StartStop(*this);
}

void frmMain::fClearButton_Click() {
    ParkFocus();
    m_data.engine.ClearTimer(*this);
}
