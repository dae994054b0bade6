// SPDX-License-Identifier: MIT
#pragma once

#include "app/program.h"
#include "fakemarketplace.h"

#include "lookup/pagesnapshot.h"

#include <QApplication>
#include <QTest>

class QWebEnginePage;

// Snapshots travel in signals that tests record.
Q_DECLARE_METATYPE(lookup::PageSnapshot)

namespace tests {

// The longest a test waits for the browsers to answer: a query's own timeout (21 ticks) is longer
// than any answer of the fake marketplace should take.
constexpr int answerTimeoutMs = 20000;

// The longest a page of ten megabytes may take to be loaded and read.
constexpr int hugePageTimeoutMs = 30000;

// How soon a query whose engine died gives the button back: at once, long before its timeout.
constexpr int promptAnswerTimeoutMs = 5000;

// How long a test watches for something that must not happen, such as a query giving its button
// back with no answer.
constexpr int quietPeriodMs = 1500;

// Time for the late events of a step to arrive before a test looks whether any came.
constexpr int lateEventsMs = 300;

// Opens the fake marketplace's listening socket and points Chromium at it. Must run before the
// QApplication exists, since the browser process reads its flags once.
void prepareWebEnvironment();

// The fake marketplace every browser of this test process talks to.
FakeMarketplace &marketplace();

// A page of the marketplace as HTML in UTF-8.
Response page(const QString &title, const QString &body);

// Waits until the marketplace has received a request matching the predicate, or times out.
bool waitForRequest(const std::function<bool(const Request &)> &matches, int timeoutMs = answerTimeoutMs);

// What a script gives on the page's current document, or nothing if the page gave no answer in time.
QVariant evaluate(QWebEnginePage *page, const QString &script);

// A dark colour scheme, as the README's dark screenshot shows the window.
QPalette darkPalette();

} // namespace tests

#define LARKSPIRE_WEB_TEST_MAIN(TestObject)     \
    int main(int argc, char *argv[])            \
    {                                           \
        tests::prepareWebEnvironment();         \
        app::Program program(argc, argv);       \
        TestObject test;                        \
        QTEST_SET_MAIN_SOURCE_PATH              \
        return QTest::qExec(&test, argc, argv); \
    }

namespace tests {

// Answers every message box that opens while it lives, recording what each one showed.
class MessageBoxWatcher : public QObject
{
public:
    struct Seen {
        QString title;
        QString text;
        int icon;
        int buttons;
    };
    MessageBoxWatcher();
    const QList<Seen> &seen() const { return m_seen; }

private:
    QList<Seen> m_seen;
};

// Stands in for the desktop while it lives: addresses of these schemes that the program hands to
// the desktop (QDesktopServices::openUrl) are recorded instead of opened.
class DesktopStub : public QObject
{
    Q_OBJECT
public:
    explicit DesktopStub(const QStringList &schemes);
    ~DesktopStub() override;
    QStringList opened;

public slots:
    void open(const QUrl &url);

private:
    QStringList m_schemes;
};

} // namespace tests
