#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QString>

#include <optional>

class QLabel;
class QTimer;
class QWidget;

// When the progress of a run is worth saying: at each further tenth of the run, and no sooner
// than a few seconds after the last time, so a fast run says little and a slow one is never
// silent for long. Never at the end, which is said in words of its own.
class ProgressPacing {
public:
    static constexpr qint64 kQuietMs = 3000;

    // The words to say now, if any; msSinceStart counts from the run's start.
    std::optional<QString> next(qint64 done, qint64 total, qint64 msSinceStart);
    void restart() { *this = ProgressPacing(); }

private:
    qint64 m_lastTenth = 0;
    qint64 m_lastMs = 0;
};

// What a screen reader says of a run and of the strength figure. Qt 6.4 has no announcement
// event, and Orca speaks a changed name only for the object that has the focus; what it does
// speak at once is a notification that shows itself. So each message is the name of a small
// notification that shows for the moment of the announcement. The run and the strength have
// one notification each: Orca drops a waiting event of an object that sends a newer one.
class RunAnnouncer : public QObject {
    Q_OBJECT
public:
    // The notification lives inside window.
    explicit RunAnnouncer(QWidget* window);

    // The strength label reports the controls whose changes it follows.
    void tieStrength(QLabel* strength, const QList<QWidget*>& controls);

    void runStarted();
    void announceProgress(qint64 done, qint64 total);
    // Said a moment later, after the burst of focus and selection events that the end of a
    // run sets off: Orca prunes the events waiting in a flood, a notification among them.
    void announceFinished(qint64 count);
    void announceStopped(qint64 count);
    // After a change of the options: said once the changes have settled, and only if the
    // figure is not the one said last. The first figure (at start-up) is not said.
    void strengthChanged(const QString& text);

    // The message said last; empty before the first.
    QString lastMessage() const { return m_last; }

    static QString finishedText(qint64 count);
    static QString stoppedText(qint64 count);

private:
    void say(QLabel* voice, const QString& text);

    QLabel* m_runVoice;
    QLabel* m_strengthVoice;
    QTimer* m_strengthSettle;
    QTimer* m_runEndSettle;
    QString m_runEnd;
    QString m_strength;
    QString m_strengthSaid;
    bool m_strengthKnown = false;
    QString m_last;
    ProgressPacing m_pacing;
    QElapsedTimer m_runClock;
};
