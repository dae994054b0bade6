// SPDX-License-Identifier: MIT
#include "soak.h"

#include "app/form1.h"
#include "app/form2.h"
#include "app/program.h"
#include "heavymarketplace.h"
#include "loop.h"
#include "processmemory.h"
#include "webtest.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextStream>
#include <QTimer>

#include <functional>

namespace bench {

namespace {

// One outcome: what to search for, and whether the window shows what that search should give.
struct Outcome {
    QString name;
    std::function<bool(const app::Form1 &, const QStringList &messages)> shown; // the messages of this query
};

QString textOf(const app::Form1 &form, const char *label)
{
    return form.findChild<QLabel *>(QLatin1String(label))->text();
}

QString captionOf(const app::Form1 &form) { return form.findChild<QGroupBox *>(QStringLiteral("Frame2"))->title(); }

bool shows(const app::Form1 &form, const QString &caption, const QString &score, const QString &comparison)
{
    return captionOf(form) == caption && textOf(form, "Label3") == score && textOf(form, "Label2") == comparison;
}

QList<Outcome> outcomes()
{
    return {
        {QStringLiteral("found"),
         [](const app::Form1 &form, const QStringList &messages) {
             return messages.isEmpty()
                    && shows(form, QStringLiteral("测试旗舰店-DRS查询"), QStringLiteral("4.77分"),
                             QStringLiteral("2.00%"))
                    && textOf(form, "Label33") == QLatin1String("762");
         }},
        {QStringLiteral("nobody"),
         [](const app::Form1 &, const QStringList &messages) {
             return messages == QStringList{QStringLiteral("没有找到对应的店铺")};
         }},
        {QStringLiteral("twodims"),
         [](const app::Form1 &form, const QStringList &messages) {
             return messages.isEmpty()
                    && shows(form, QStringLiteral("第二家店-DRS查询"), QStringLiteral("4.77分"),
                             QStringLiteral("1.00%"));
         }},
        {QStringLiteral("login"),
         [](const app::Form1 &, const QStringList &messages) {
             return messages.isEmpty() && app::Form2::ifLoaded() && app::Form2::ifLoaded()->isVisible();
         }},
        {QStringLiteral("nodsr"),
         [](const app::Form1 &form, const QStringList &messages) {
             return messages.isEmpty() && shows(form, QStringLiteral("无评分店-DRS查询"), QString(), QString());
         }},
    };
}

// Queries the name and waits for the button to come back, well before the timeout would.
bool query(app::Form1 &form, const QString &name)
{
    auto *button = form.findChild<QPushButton *>(QStringLiteral("Command1"));
    form.findChild<QLineEdit *>(QStringLiteral("Text1"))->setText(name);
    button->click();
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (button->isEnabled()) loop.quit();
    });
    poll.start(5);
    return runUntilQuit(loop, 15000);
}

} // namespace

int soak(int queries, int argc, char *argv[])
{
    tests::prepareWebEnvironment();
    app::Program program(argc, argv);
    tests::marketplace().setHandler(heavyAnswer);

    constexpr int baseline = 10;
    if (queries < baseline) fail(QStringLiteral("a soak needs at least %1 queries").arg(baseline));
    app::Form1 form;
    form.show();
    tests::MessageBoxWatcher boxes;
    const QList<Outcome> rotation = outcomes();
    int wrong = 0;
    Footprint early{};
    for (int i = 0; i < queries; ++i) {
        const Outcome &outcome = rotation[i % rotation.size()];
        const qsizetype seenBefore = boxes.seen().size();
        const bool answered = query(form, outcome.name);
        tests::marketplace().clearRequests(); // the fake marketplace's record, not the program's memory
        QStringList messages;
        for (qsizetype m = seenBefore; m < boxes.seen().size(); ++m)
            messages << boxes.seen()[m].text;
        if (!answered || !outcome.shown(form, messages)) {
            ++wrong;
            QTextStream(stdout) << "soak: query " << i + 1 << " (" << outcome.name << ") came out wrong" << Qt::endl;
        }
        if (i + 1 == baseline) early = footprint();
    }
    const Footprint late = footprint();
    QTextStream(stdout) << footprintGrowth(baseline, early, queries, late);
    QTextStream(stdout) << QStringLiteral("soak: %1 queries, %2 wrong, memory pss after %1/after %3 queries: %4, "
                                          "engine processes after %1/after %3: %5\n")
                               .arg(queries)
                               .arg(wrong)
                               .arg(baseline)
                               .arg(late.pssMiB / early.pssMiB, 0, 'f', 2)
                               .arg(double(late.processes) / early.processes, 0, 'f', 2);
    return wrong == 0 ? 0 : 1;
}

} // namespace bench
