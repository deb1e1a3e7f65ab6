#include "MainWindow.h"

#include "AboutDialog.h"
#include "CaptionFrame.h"
#include "CountValidation.h"
#include "Feedback.h"
#include "FreeTextBox.h"
#include "HandoutDialog.h"
#include "HelpCommand.h"
#include "ListCommands.h"
#include "MainWindowAccessibility.h"
#include "NumericFilter.h"
#include "PasswordLimits.h"
#include "PrintCommand.h"
#include "ProgramPaths.h"
#include "ResultListModel.h"
#include "ResultListView.h"
#include "RulesDialog.h"
#include "RunAnnouncer.h"
#include "RunRefusalText.h"
#include "SaveCommand.h"
#include "SlipsDialog.h"
#include "WindowFont.h"
#include "WindowPlacement.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDialog>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QScreen>
#include <QToolBar>
#include <limits>

namespace {

template <typename Widget> Widget* named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QCheckBox* makeCheckBox(QWidget* parent, const char* name, const QString& caption, bool checked) {
    auto* box = named(new QCheckBox(caption, parent), name);
    box->setChecked(checked);
    return box;
}

// The extra and excluded characters (see FreeTextBox).
QLineEdit* makeFreeTextBox(QWidget* parent, const char* name) {
    QLineEdit* box = named<QLineEdit>(new FreeTextBox(parent), name);
    box->setEnabled(false);
    return box;
}

QLineEdit* makeNumberBox(QWidget* parent, const char* name) {
    auto* box = named(new QLineEdit(parent), name);
    box->setMaxLength(kNumberBoxDigits); // also holds against paste
    box->setAttribute(Qt::WA_InputMethodEnabled, false);
    box->setInputMethodHints(Qt::ImhDigitsOnly | Qt::ImhPreferLatin);
    return box;
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& caption) {
    return named(new QLabel(caption, parent), name);
}

QFrame* makeLine(QWidget* parent, const char* name, QFrame::Shadow shadow) {
    auto* line = named(new QFrame(parent), name);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(shadow);
    return line;
}

QFont fixedGothic() {
    QFont font(QStringLiteral("ＭＳ ゴシック"));
    font.setPointSizeF(9);
    font.setWeight(QFont::Normal);
    return font;
}

// A check box counts as a source only when fully checked; a free-text box is on in any state
// but unchecked.
bool isChecked(const QCheckBox* box) {
    return box->checkState() == Qt::Checked;
}

// A free-text box follows its check box: editable on the window colour, or greyed on the
// button-face colour. Its text stays either way. True when it is on and holds text.
bool followCheckBox(QLineEdit* box, const QCheckBox* check) {
    QPalette palette = box->palette();
    const bool on = check->checkState() != Qt::Unchecked;
    const QPalette::ColorRole background = on ? QPalette::Base : QPalette::Button;
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::Base, QApplication::palette().color(group, background));
    box->setPalette(palette);
    box->setEnabled(on);
    return on && !box->text().isEmpty();
}

const QString kStrengthTip = QStringLiteral(
    "次の実行で作るパスワード1つのエントロピーで、1ビット増えるごとに当てるまでの試行回数が"
    "2倍になります。");

// A number box's text as a number: ASCII digits only, otherwise 0 (no number).
qint64 numberIn(const QString& text) {
    if (text.isEmpty() || text.size() > 18)
        return 0;
    qint64 value = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return 0;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

} // namespace

MainWindow::MainWindow(QWidget* parent, const QString& programDir)
    : QMainWindow(parent),
      m_programDir(programDir.isEmpty() ? QCoreApplication::applicationDirPath() : programDir),
      m_actions(this), m_save(std::make_unique<SaveCommand>()),
      m_print(std::make_unique<PrintCommand>()) {
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(QStringLiteral("キーミル"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/keymill")));
    // The window's own font, also when no application font was installed (tests).
    setFont(FormFont());
    showPopupMenu = [](QMenu* menu, const QPoint& globalPos) { menu->popup(globalPos); };
    createControls();
    m_run = std::make_unique<RunController>(*m_resultList->resultModel());
    connect(m_run.get(), &RunController::progress, this, &MainWindow::showProgress);
    connect(m_run.get(), &RunController::ended, this, &MainWindow::runEnded);
    connectCommands();
    m_placement = new WindowPlacement(*this);
    m_client->installEventFilter(this);

    // The etched line below the toolbar runs the whole width of the screen, so it reaches the
    // right edge at any window width; it is placed once and never again.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int screenWidth = screen ? screen->geometry().width() : 4096;
    m_etchedLine = makeLine(m_client, "etchedLine", QFrame::Sunken);
    m_etchedLine->setGeometry(0, m_toolBar->height(), screenWidth, 2);
    m_etchedLine->lower();

    m_helpFilePath = HelpFilePathFor(m_programDir);
    m_settingsFilePath = SettingsFilePathFor(m_programDir);
    loadSettings();
    connectStrength();
    m_resultList->resultModel()->addColumn(QStringLiteral("パスワード生成結果"));
    m_resultList->autoSizeColumn();
    updateCommands();
    setUpAccessibility();
}

MainWindow::~MainWindow() {
    // The controller's list belongs to the view, which goes first otherwise.
    m_run.reset();
}

void MainWindow::createControls() {
    m_client = named(new QWidget(this), "client");
    setCentralWidget(m_client);
    // Two lines along the top edge of the client area, under the toolbar.
    m_topLine = makeLine(m_client, "topLine", QFrame::Plain);
    m_topLineLight = makeLine(m_client, "topLineLight", QFrame::Plain);
    m_topLineLight->setStyleSheet(QStringLiteral("color: palette(light);"));

    m_toolBar = named(new QToolBar(m_client), "toolBar");
    m_actions.fillToolBar(*m_toolBar, this);
    createOptionFrames();
    createProgressAndResults();

    m_doneCaption = makeLabel(m_client, "doneCaption", QStringLiteral("生成完了数"));
    m_doneCount = makeLabel(m_client, "doneCount", QStringLiteral("0"));
    for (QLabel* label : {m_doneCaption, m_doneCount}) {
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setFont(fixedGothic());
    }

    createPolicyControls();
    m_actions.fillMenuBar(*menuBar());
    m_popupMenu = m_actions.makePopupMenu(this);
    setTabOrder();
    placeAtDesignPositions();
    placePolicyControls();
}

void MainWindow::createOptionFrames() {
    m_charactersFrame = named<QGroupBox>(
        new CaptionFrame(QStringLiteral("含める文字をチェックして下さい"), m_client),
        "charactersFrame");
    QWidget* frame = m_charactersFrame;
    m_digitsBox = makeCheckBox(frame, "digitsBox", QStringLiteral("数字(&N)"), true);
    m_upperBox = makeCheckBox(frame, "upperBox", QStringLiteral("アルファベット大文字(&L)"), true);
    m_lowerBox = makeCheckBox(frame, "lowerBox", QStringLiteral("アルファベット小文字(&F)"), true);
    // Alt+F belongs to the File menu, as on every desktop; the check box keeps its underlined
    // letter but gives up the key, which would otherwise only move the focus to it.
    m_lowerBox->setShortcut(QKeySequence());
    m_extraBox = makeCheckBox(frame, "extraBox", QStringLiteral("任意文字登録(&I)"), false);
    m_extraText = makeFreeTextBox(frame, "extraText");
    m_excludeBox = makeCheckBox(frame, "excludeBox", QStringLiteral("任意文字除外(&J)"), false);
    m_excludeText = makeFreeTextBox(frame, "excludeText");

    m_countsFrame = named<QGroupBox>(new CaptionFrame(QString(), m_client), "countsFrame");
    m_lengthLabel = makeLabel(m_countsFrame, "lengthLabel", QStringLiteral("文字数(&M)"));
    m_lengthBox = makeNumberBox(m_countsFrame, "lengthBox");
    m_countLabel = makeLabel(m_countsFrame, "countLabel", QStringLiteral("生成数(&T)"));
    m_countBox = makeNumberBox(m_countsFrame, "countBox");
    m_rangeHint = makeLabel(m_countsFrame, "rangeHint", QStringLiteral("※[1-99999]の値を入力"));
    m_lengthLabel->setBuddy(m_lengthBox);
    m_countLabel->setBuddy(m_countBox);

    // Every change of an option decides anew whether a run may start.
    for (QCheckBox* box : {m_digitsBox, m_upperBox, m_lowerBox, m_extraBox, m_excludeBox})
        connect(box, &QCheckBox::stateChanged, this, &MainWindow::updateCommands);
    for (QLineEdit* box : {m_extraText, m_excludeText})
        connect(box, &QLineEdit::textChanged, this, &MainWindow::updateCommands);
    for (QLineEdit* box : {m_lengthBox, m_countBox}) {
        box->installEventFilter(this);
        connect(box, &QLineEdit::textChanged, this, [this, box] {
            filterNumberText(box);
            updateCommands();
        });
    }
}

void MainWindow::createPolicyControls() {
    m_noLookAlikesBox = makeCheckBox(m_charactersFrame, "noLookAlikesBox",
                                     QStringLiteral("似た文字を除く(&B)"), false);
    m_noLookAlikesBox->setToolTip(
        QStringLiteral("0 O o 1 l I | など、似た文字をパスワードに使いません。"));
    m_eachClassBox =
        makeCheckBox(m_charactersFrame, "eachClassBox", QStringLiteral("全種類を含む(&Y)"), false);
    m_eachClassBox->setToolTip(
        QStringLiteral("選んだ文字の種類をどのパスワードにも1文字以上含めます。"));

    m_strengthLabel = makeLabel(m_client, "strengthLabel", QString());
    m_strengthLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_strengthLabel->setFont(m_doneCaption->font());
    m_strengthLabel->setToolTip(kStrengthTip);
    m_strengthLabel->setAccessibleDescription(kStrengthTip);

    // What a screen reader hears of runs and of the strength.
    m_announcer = new RunAnnouncer(m_client);
    m_announcer->tieStrength(m_strengthLabel, {m_digitsBox, m_upperBox, m_lowerBox, m_extraBox,
                                               m_excludeBox, m_noLookAlikesBox, m_eachClassBox,
                                               m_extraText, m_excludeText, m_lengthBox});
}

// Every option and the length change the figure; it follows each change at once. Tied once the
// settings are loaded, so that the figure is worked out once for them rather than for each
// option they set.
void MainWindow::connectStrength() {
    for (QCheckBox* box : {m_digitsBox, m_upperBox, m_lowerBox, m_extraBox, m_excludeBox,
                           m_noLookAlikesBox, m_eachClassBox})
        connect(box, &QCheckBox::stateChanged, this, &MainWindow::updateStrength);
    for (QLineEdit* box : {m_extraText, m_excludeText, m_lengthBox, m_countBox})
        connect(box, &QLineEdit::textChanged, this, &MainWindow::updateStrength);
    connect(m_actions.unique, &QAction::toggled, this, &MainWindow::updateStrength);
    updateStrength();
}

void MainWindow::createProgressAndResults() {
    m_progressFrame = named<QGroupBox>(new CaptionFrame(QString(), m_client), "progressFrame");
    m_progressFrame->setVisible(false);
    m_progressBar = named(new QProgressBar(m_progressFrame), "progressBar");
    m_progressBar->setRange(0, 100);
    m_progressBar->setValue(0);
    m_progressBar->setTextVisible(false);
    m_statusLabel = makeLabel(m_progressFrame, "statusLabel", QStringLiteral("中..."));
    m_statusLabel->setAlignment(Qt::AlignCenter);
    QFont statusFont(QStringLiteral("ＭＳ Ｐゴシック"));
    statusFont.setPointSizeF(20.25);
    statusFont.setWeight(QFont::Normal);
    m_statusLabel->setFont(statusFont);

    m_resultList = named(new ResultListView(m_client), "resultList");
}

void MainWindow::connectCommands() {
    const CommandActions& a = m_actions;
    const auto results = [this] { return m_resultList->resultModel()->texts(); };
    connect(a.save, &QAction::triggered, this, [this, results] { m_save->run(this, results()); });
    connect(a.print, &QAction::triggered, this, [this, results] { m_print->run(this, results()); });
    connect(a.handout, &QAction::triggered, this, [this, results] {
        auto* dialog = new HandoutDialog(results(), this);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        connect(dialog, &HandoutDialog::runAgainRequested, this, [this, dialog](qint64 count) {
            dialog->close();
            m_countBox->setText(QString::number(count));
            m_actions.unique->setChecked(true);
            m_actions.start->trigger();
        });
        dialog->open();
    });
    connect(a.slips, &QAction::triggered, this, [this, results] {
        auto* dialog = new SlipsDialog(results(), this);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->open();
    });
    connect(a.quit, &QAction::triggered, this, &MainWindow::quitCommand);
    connect(a.selectAll, &QAction::triggered, this, [this] { SelectAllResults(*m_resultList); });
    connect(a.copy, &QAction::triggered, this, [this] { CopySelectedResults(*m_resultList); });
    connect(a.sortAscending, &QAction::triggered, this,
            [this] { SortResults(*m_resultList, Qt::AscendingOrder); });
    connect(a.sortDescending, &QAction::triggered, this,
            [this] { SortResults(*m_resultList, Qt::DescendingOrder); });
    connect(a.start, &QAction::triggered, this, &MainWindow::startRun);
    connect(a.stop, &QAction::triggered, this, &MainWindow::stopRun);
    connect(a.help, &QAction::triggered, this, [this] { ShowHelp(m_helpFilePath, this); });
    connect(a.about, &QAction::triggered, this, [this] { ShowAboutDialog(this); });
    connect(a.rules, &QAction::triggered, this, &MainWindow::editRules);

    // The list's keys are the commands', enabled as they are; its menu is offered on a right
    // click, and on the menu key and Shift+F10 under the current row.
    connect(m_resultList, &ResultListView::copyKeyPressed, a.copy, &QAction::trigger);
    connect(m_resultList, &ResultListView::selectAllKeyPressed, a.selectAll, &QAction::trigger);
    connect(m_resultList, &ResultListView::mouseDown, this,
            [this](Qt::MouseButton button, Qt::KeyboardModifiers, QPoint pos) {
                if (button == Qt::RightButton)
                    offerPopupMenu(pos);
            });
    connect(m_resultList, &ResultListView::popupMenuKeyPressed, this, &MainWindow::offerPopupMenu);
}

void MainWindow::setTabOrder() {
    // The keyboard order of the controls that take the focus; the list is skipped by Tab.
    // The two policies follow the excluded characters' box.
    const QList<QWidget*> order = {m_digitsBox,    m_upperBox,   m_lowerBox,    m_extraBox,
                                   m_extraText,    m_excludeBox, m_excludeText, m_noLookAlikesBox,
                                   m_eachClassBox, m_lengthBox,  m_countBox};
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    m_toolBar->setFocusPolicy(Qt::NoFocus);
}

// The one place that decides which commands and options are enabled: from the run's state,
// whether the last run completed, and whether the options allow a run.
void MainWindow::updateCommands() {
    const bool running = m_run && m_run->state() == RunState::Running;
    for (QAction* command :
         {m_actions.save, m_actions.handout, m_actions.print, m_actions.slips, m_actions.selectAll,
          m_actions.copy, m_actions.sortAscending, m_actions.sortDescending})
        command->setEnabled(m_resultsReady && !running);
    m_actions.start->setEnabled(!running && startReady());
    m_actions.stop->setEnabled(running);
    // No option changes during a run.
    m_actions.unique->setEnabled(!running);
    m_actions.rules->setEnabled(!running);
    m_charactersFrame->setEnabled(!running);
    m_countsFrame->setEnabled(!running);
    if (running != m_waitCursor) {
        m_waitCursor = running;
        if (running)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    }
}

// Both numbers given and at least one source of characters; the free-text boxes follow their
// check boxes on the way.
bool MainWindow::startReady() {
    bool freeTextReady = followCheckBox(m_extraText, m_extraBox);
    freeTextReady = followCheckBox(m_excludeText, m_excludeBox) || freeTextReady;
    return !m_lengthBox->text().isEmpty() && !m_countBox->text().isEmpty() &&
           (freeTextReady || isChecked(m_lowerBox) || isChecked(m_upperBox) ||
            isChecked(m_digitsBox));
}

RunRequest MainWindow::readRequest(const StoredRunRules& rules) const {
    RunRequest request;
    GenerationOptions& options = request.characters;
    options.digits = isChecked(m_digitsBox);
    options.upper = isChecked(m_upperBox);
    options.lower = isChecked(m_lowerBox);
    options.extra = isChecked(m_extraBox);
    options.extraText = m_extraText->text();
    options.exclude = isChecked(m_excludeBox);
    options.excludeText = m_excludeText->text();
    request.noSimilar = isChecked(m_noLookAlikesBox);
    request.eachClass = isChecked(m_eachClassBox);
    request.length = numberIn(m_lengthBox->text());
    request.count = numberIn(m_countBox->text());
    request.unique = m_actions.unique->isChecked();
    options.symbols = rules.symbols;
    request.minimums = rules.minimums;
    request.maxRun = rules.maxRun;
    request.first = rules.first;
    request.siteRules = rules.siteRules;
    return request;
}

RunPlanOutcome MainWindow::planOfOne(const StoredRunRules& rules) const {
    RunRequest request = readRequest(rules);
    request.count = 1; // the figure is that of one password, whatever the count box holds
    return PlanRun(request);
}

void MainWindow::editRules() {
    const auto strengthOf = [this](const RuleChoices& choices) {
        StoredSettings edited = m_loadedSettings;
        ApplyRuleChoices(edited, choices);
        return StrengthLabelText(planOfOne(RunRulesFrom(edited)));
    };
    auto* dialog = new RulesDialog(RuleChoicesFrom(m_loadedSettings), strengthOf, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        ApplyRuleChoices(m_loadedSettings, dialog->choices());
        m_rules = RunRulesFrom(m_loadedSettings);
        updateStrength();
    });
    dialog->open();
}

void MainWindow::updateStrength() {
    const qint64 count = numberIn(m_countBox->text());
    RunPlanOutcome outcome = planOfOne(m_rules);
    const QString text = StrengthLabelText(outcome);
    // The chance of the same password twice in the list the count box asks for, when it matters.
    QString tip = kStrengthTip;
    if (auto* plan = std::get_if<RunPlan>(&outcome); plan && count <= kMaxPasswordCount) {
        plan->count = qint32(count);
        if (const QString chance = DuplicateChanceText(DuplicateChance(*plan)); !chance.isEmpty())
            tip += u'\n' + chance;
    }
    m_strengthLabel->setToolTip(tip);
    m_strengthLabel->setText(text);
    m_strengthLabel->setAccessibleName(text.isEmpty() ? QStringLiteral("強度") : text);
    m_announcer->strengthChanged(text);
}

void MainWindow::startRun() {
    // A start while a run is active, or once the program has been asked to end, is ignored.
    if (m_run->state() != RunState::Idle || m_quitRequested)
        return;
    const QList<RunRule> broken = CountTextRefusals(m_lengthBox->text(), m_countBox->text());
    if (!broken.isEmpty()) {
        ShowInputError(this, CountRefusalMessage(broken));
        return;
    }
    RunPlanOutcome planned = PlanRun(readRequest());
    if (const auto* refusal = std::get_if<RunRefusal>(&planned)) {
        ShowInputError(this, RunRefusalMessage(*refusal));
        return;
    }
    const int count = std::get<RunPlan>(planned).count;
    if (!m_run->start(std::get<RunPlan>(std::move(planned)))) {
        ShowInputError(this, RunTooLargeMessage());
        return;
    }
    m_resultsReady = false;
    m_statusLabel->setText(QStringLiteral("パスワード生成中..."));
    m_doneCount->setText(QStringLiteral("0"));
    m_progressBar->setValue(0);
    m_progressBar->setMaximum(count);
    m_progressFrame->setVisible(true);
    m_resultList->setVisible(false); // the list stays hidden while it fills
    m_announcer->runStarted();
    updateCommands();
}

void MainWindow::stopRun() {
    m_run->stop();
}

// The count, and the new rows measured for the column while the list is hidden anyway.
void MainWindow::showProgress(int drawn) {
    m_progressBar->setValue(drawn);
    m_doneCount->setText(QString::number(drawn));
    m_resultList->measureNewRows();
    m_announcer->announceProgress(drawn, m_progressBar->maximum());
}

void MainWindow::runEnded(RunEnd end) {
    if (end == RunEnd::Completed) {
        // The slice that completed the run has shown its progress already.
        m_resultsReady = true;
        m_announcer->announceFinished(m_run->drawn());
    } else {
        m_doneCount->setText(QStringLiteral("0"));
        m_announcer->announceStopped(m_run->drawn());
    }
    m_resultList->autoSizeColumn();
    m_resultList->setVisible(true);
    m_resultList->setFocus();
    m_progressFrame->setVisible(false);
    updateCommands();
    if (end == RunEnd::OutOfMemory && !m_quitRequested && !m_closed)
        ShowInputError(this, RunTooLargeMessage());
}

// The pop-up is offered only when the last run completed with at least one password.
void MainWindow::offerPopupMenu(const QPoint& pos) {
    if (m_resultsReady && m_resultList->resultModel()->count() > 0)
        showPopupMenu(m_popupMenu, m_resultList->viewport()->mapToGlobal(pos));
}

void MainWindow::quitCommand() {
    m_quitCommandClosing = true;
    close();
    m_quitCommandClosing = false;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // While a run lasts the title bar's close button and Alt+F4 do nothing; the end command
    // still ends the program.
    if (m_closed || (m_run->state() == RunState::Running && !m_quitCommandClosing)) {
        event->setAccepted(m_closed);
        return;
    }
    m_run->stop();
    m_closed = true;
    // A minimised window stores the geometry of its restored window.
    if (isMinimized())
        showNormal();
    saveSettings();
    CloseAllHelpWindows();
    event->accept();
}

void MainWindow::requestQuit() {
    if (m_closed)
        return;
    m_quitRequested = true;
    m_run->stop(); // the run ends as a stopped one
    // A dialog's own event loop would keep the program alive after the window has gone.
    while (QWidget* popup = QApplication::activePopupWidget()) {
        if (!popup->close())
            break;
    }
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<QDialog*>(widget);
        if (dialog && dialog->isVisible() && dialog->isModal())
            dialog->reject();
    }
    QMetaObject::invokeMethod(this, &MainWindow::closeWhenIdle, Qt::QueuedConnection);
}

// Closes through the end command once nothing is left on the way: a dialog that opened
// meanwhile is dismissed first.
void MainWindow::closeWhenIdle() {
    if (m_closed)
        return;
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
        dialog->reject();
        QMetaObject::invokeMethod(this, &MainWindow::closeWhenIdle, Qt::QueuedConnection);
        return;
    }
    quitCommand();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_client && event->type() == QEvent::Resize) {
        layOut();
        return false;
    }
    if ((watched == m_lengthBox || watched == m_countBox) && event->type() == QEvent::KeyPress)
        return filterNumberKey(static_cast<QKeyEvent*>(event));
    return QMainWindow::eventFilter(watched, event);
}

// Number boxes take digits and control keys (backspace, the clipboard shortcuts); any other
// typed character is dropped with a beep.
bool MainWindow::filterNumberKey(QKeyEvent* event) {
    // A key held with Ctrl is a control key (Ctrl+V arrives as 22): it passes silently, and the
    // box inserts no text for it, whether it is Ctrl+V or Ctrl+minus. Ctrl+Alt is AltGr on some
    // systems, which types characters and is filtered like any other key.
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (modifiers.testFlag(Qt::ControlModifier) && !modifiers.testFlag(Qt::AltModifier))
        return false;
    const QString typed = event->text();
    // Delete arrives with the text DEL; like the arrow keys it edits rather than types.
    if (typed.isEmpty() || typed.at(0).unicode() == 0x7F)
        return false;
    if (NumericKeyAllowed(typed.at(0).unicode()))
        return false;
    Beep();
    return true;
}

// Removes the first character that a number box does not allow; setting the text raises the
// box's change handler again, which removes the next one. One beep per removed character.
void MainWindow::filterNumberText(QLineEdit* box) {
    const QString text = box->text();
    const QString shorter = FilterNumericTextOnce(text);
    if (shorter == text)
        return;
    box->setText(shorter);
    Beep();
    box->setCursorPosition(int(box->text().size()));
    box->setFocus();
}
