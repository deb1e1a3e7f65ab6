#pragma once
// The face every password is set in, on screen, on paper and on slips: fixed pitch, and telling
// apart the characters a reader mixes up (0 O o, 1 l I |, \ and the yen sign, ` and '). The
// window's own faces draw I and l as the same bar and the backslash as a yen sign, so a password
// set in them cannot be read back with certainty. Everything else keeps the window's face.
//
// Needs a QGuiApplication (fonts are looked up in the font database).

#include <QFont>
#include <QString>
#include <QStringList>

#include <functional>

// The faces tried, best first: BIZ UDゴシック (Debian fonts-morisawa-bizud-gothic) draws every
// such pair apart and holds Japanese too; the others do as well.
const QStringList& PasswordFontCandidates();

// The first of `candidates` for which `usable` says yes; the empty text when none is.
QString ChoosePasswordFamily(const QStringList& candidates,
                             const std::function<bool(const QString& family)>& usable);

// Whether an installed face is fixed pitch (every printable ASCII character equally wide) and
// draws each character of every look-alike group in a shape of its own.
bool DrawsLookAlikesApart(const QString& family);

// The chosen face at `points`; the system's fixed-pitch face when no candidate is installed.
// The choice is made once per process.
QFont PasswordFont(qreal points);
