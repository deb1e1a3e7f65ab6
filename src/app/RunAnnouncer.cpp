#include "RunAnnouncer.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QLabel>
#include <QLocale>
#include <QPointer>
#include <QTimer>

namespace {

constexpr const char* kNotificationProperty = "keymillNotification";
constexpr int kStrengthSettleMs = 700; // typing pauses longer than a keystroke's gap
constexpr int kRunEndSettleMs = 400;   // the list has taken the focus and shown its rows

QString count(qint64 value) {
    return QLocale(QLocale::Japanese, QLocale::Japan).toString(value);
}

// The controls each strength label follows.
QHash<const QObject*, QList<QPointer<QWidget>>>& tiedControls() {
    static QHash<const QObject*, QList<QPointer<QWidget>>> tied;
    return tied;
}

class NotificationAccessible : public QAccessibleWidget {
public:
    explicit NotificationAccessible(QWidget* widget)
        : QAccessibleWidget(widget, QAccessible::Notification) {}
};

// A label whose figure follows other controls: reported as controlled by them.
class FollowingLabelAccessible : public QAccessibleWidget {
public:
    explicit FollowingLabelAccessible(QWidget* widget)
        : QAccessibleWidget(widget, QAccessible::StaticText) {}

    QList<QPair<QAccessibleInterface*, QAccessible::Relation>>
    relations(QAccessible::Relation match) const override {
        auto found = QAccessibleWidget::relations(match);
        if (!(match & QAccessible::Controller))
            return found;
        for (const QPointer<QWidget>& control : tiedControls().value(widget())) {
            if (QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(control))
                found.append({iface, QAccessible::Controller});
        }
        return found;
    }
};

QAccessibleInterface* announcerFactory(const QString&, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr)
        return nullptr;
    if (widget->property(kNotificationProperty).toBool())
        return new NotificationAccessible(widget);
    if (tiedControls().contains(widget))
        return new FollowingLabelAccessible(widget);
    return nullptr;
}

void installFactory() {
    static const bool installed = [] {
        QAccessible::installFactory(announcerFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace

std::optional<QString> ProgressPacing::next(qint64 done, qint64 total, qint64 msSinceStart) {
    if (total <= 0 || done >= total)
        return std::nullopt;
    const qint64 tenth = done * 10 / total;
    if (tenth <= m_lastTenth || msSinceStart - m_lastMs < kQuietMs)
        return std::nullopt;
    m_lastTenth = tenth;
    m_lastMs = msSinceStart;
    return QStringLiteral("%1 % 生成 (%2 / %3 件)").arg(tenth * 10).arg(count(done), count(total));
}

RunAnnouncer::RunAnnouncer(QWidget* window)
    : QObject(window), m_runVoice(new QLabel(window)), m_strengthVoice(new QLabel(window)),
      m_strengthSettle(new QTimer(this)), m_runEndSettle(new QTimer(this)) {
    installFactory();
    m_runVoice->setObjectName(QStringLiteral("runAnnouncement"));
    m_strengthVoice->setObjectName(QStringLiteral("strengthAnnouncement"));
    for (QLabel* voice : {m_runVoice, m_strengthVoice}) {
        voice->setProperty(kNotificationProperty, true);
        voice->setGeometry(0, 0, 0, 0);
        voice->hide();
    }
    m_runEndSettle->setSingleShot(true);
    m_runEndSettle->setInterval(kRunEndSettleMs);
    connect(m_runEndSettle, &QTimer::timeout, this, [this] { say(m_runVoice, m_runEnd); });
    m_strengthSettle->setSingleShot(true);
    m_strengthSettle->setInterval(kStrengthSettleMs);
    connect(m_strengthSettle, &QTimer::timeout, this, [this] {
        if (m_strength.isEmpty() || m_strength == m_strengthSaid)
            return;
        m_strengthSaid = m_strength;
        say(m_strengthVoice, m_strength);
    });
}

void RunAnnouncer::tieStrength(QLabel* strength, const QList<QWidget*>& controls) {
    installFactory();
    QList<QPointer<QWidget>>& tied = tiedControls()[strength];
    for (QWidget* control : controls)
        tied.append(control);
    connect(strength, &QObject::destroyed, [strength] { tiedControls().remove(strength); });
    // An interface made before the tie is Qt's own: drop it, so the next question gets ours.
    if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(strength);
        made != nullptr && dynamic_cast<FollowingLabelAccessible*>(made) == nullptr)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

void RunAnnouncer::runStarted() {
    m_runEndSettle->stop();
    // Options changed just before the start are the run's own: its end is what is said.
    m_strengthSettle->stop();
    m_strengthSaid = m_strength;
    m_pacing.restart();
    m_runClock.start();
}

void RunAnnouncer::announceProgress(qint64 done, qint64 total) {
    if (!m_runClock.isValid())
        m_runClock.start();
    if (const std::optional<QString> words = m_pacing.next(done, total, m_runClock.elapsed()))
        say(m_runVoice, *words);
}

QString RunAnnouncer::finishedText(qint64 made) {
    return QStringLiteral("%1 件のパスワードを生成しました").arg(count(made));
}

QString RunAnnouncer::stoppedText(qint64 made) {
    return QStringLiteral("停止しました。%1 件まで生成し、破棄しました").arg(count(made));
}

void RunAnnouncer::announceFinished(qint64 made) {
    m_runClock.invalidate();
    m_runEnd = finishedText(made);
    m_runEndSettle->start();
}

void RunAnnouncer::announceStopped(qint64 made) {
    m_runClock.invalidate();
    m_runEnd = stoppedText(made);
    m_runEndSettle->start();
}

void RunAnnouncer::strengthChanged(const QString& text) {
    m_strength = text;
    if (!m_strengthKnown) {
        m_strengthKnown = true;
        m_strengthSaid = text;
        return;
    }
    m_strengthSettle->start();
}

void RunAnnouncer::say(QLabel* voice, const QString& text) {
    m_last = text;
    // The name first, then the showing: the reader reads the notification as it appears.
    voice->hide();
    voice->setText(text);
    voice->setAccessibleName(text);
    voice->show();
}
