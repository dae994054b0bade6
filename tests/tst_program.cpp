// SPDX-License-Identifier: MIT
// The program as a user starts it from a terminal: perhaps a query, then the main window closed.
// Each run is a child process of this test (started with --run), so that its exit status and
// everything it prints can be seen; the child is built as main() builds the program.
#include "app/form2.h"
#include "app/program.h"
#include "catalogue.h"
#include "querywindow.h"
#include "webtest.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTextStream>
#include <QTimer>

namespace {

QString loginWindowState()
{
    const app::Form2 *login = app::Form2::ifLoaded();
    return !login ? "none" : login->isVisible() ? "shown" : "hidden";
}

// Queries the name, unless it is empty, then closes the main window; prints the state the login
// window was in when it was closed.
int runProgram(int argc, char *argv[], const QString &name)
{
    tests::prepareWebEnvironment();
    app::Program program(argc, argv);
    tests::serveCatalogue();
    tests::QueryWindow window;
    if (!name.isEmpty()) {
        window.query(name);
        if (!QTest::qWaitFor([&] { return window.idle(); }, tests::answerTimeoutMs)) return 2;
    }
    QTextStream(stdout) << "login window: " << loginWindowState() << Qt::endl;
    QTimer::singleShot(0, &window.form(), &QWidget::close);
    return QApplication::exec();
}

// What the child printed to stderr, less what Chromium says of the fake marketplace's self-signed
// certificate.
QStringList unexpectedLines(const QByteArray &printed)
{
    static const QRegularExpression certificate(
        QStringLiteral(R"(cert_verify_proc|^----- Certificate i=|^ERROR: No matching issuer found|^\s*$)"));
    QStringList lines = QString::fromLocal8Bit(printed).split(u'\n');
    lines.removeIf([](const QString &line) { return certificate.match(line).hasMatch(); });
    return lines;
}

} // namespace

class ProgramTest : public QObject
{
    Q_OBJECT
private slots:
    void closingEndsQuietly_data();
    void closingEndsQuietly();
};

void ProgramTest::closingEndsQuietly_data()
{
    // clang-format off
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("loginWindow");
    QTest::newRow("no query") << "" << "none";
    QTest::newRow("a shop read, the login window loaded hidden") << "found" << "hidden";
    QTest::newRow("a login asked for, the login window open") << "login" << "shown";
    // clang-format on
}

void ProgramTest::closingEndsQuietly()
{
    QFETCH(QString, name);
    QFETCH(QString, loginWindow);
    QProcess program;
    program.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--run"), name});
    QVERIFY(program.waitForFinished(2 * tests::answerTimeoutMs));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    QCOMPARE(QString::fromLocal8Bit(program.readAllStandardOutput()).trimmed(), "login window: " + loginWindow);
    QCOMPARE(unexpectedLines(program.readAllStandardError()), QStringList());
}

int main(int argc, char *argv[])
{
    for (int i = 1; i + 1 < argc; ++i)
        if (qstrcmp(argv[i], "--run") == 0) return runProgram(argc, argv, QString::fromLocal8Bit(argv[i + 1]));
    QCoreApplication application(argc, argv);
    ProgramTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_program.moc"
