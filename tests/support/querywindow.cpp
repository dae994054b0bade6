// SPDX-License-Identifier: MIT
#include "querywindow.h"
#include "form1probe.h"
#include "userinput.h"
#include "webtest.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tests {

QueryWindow::QueryWindow()
    : m_form(std::make_unique<app::Form1>())
{
    m_form->show();
}

QueryWindow::~QueryWindow() = default;

void QueryWindow::query(const QString &name) const
{
    m_form->findChild<QLineEdit *>(QStringLiteral("Text1"))->setText(name);
    click(button());
}

bool QueryWindow::idle() const { return button()->isEnabled() && button()->text() == QStringLiteral("查询"); }

bool QueryWindow::busy() const { return !button()->isEnabled() && button()->text() == QStringLiteral("查询中..."); }

QLabel *QueryWindow::figure(app::Role role, int dimension) const
{
    return m_form->findChild<QLabel *>(QLatin1String(app::controlName(role, dimension)));
}

QString QueryWindow::shown(app::Role role, int dimension) const { return figure(role, dimension)->text(); }

QLineEdit *QueryWindow::target(int dimension) const
{
    return m_form->findChild<QLineEdit *>(QLatin1String(app::controlName(app::Role::Target, dimension)));
}

QString QueryWindow::caption() const { return m_form->findChild<QGroupBox *>(QStringLiteral("Frame2"))->title(); }

void QueryWindow::runOutTheTimer() const
{
    for (int tick = 0; tick <= session::QuerySession::lastBusyTick; ++tick)
        app::Form1Probe::tick(*m_form);
}

void QueryWindow::showThePreviousShop() const
{
    query(QStringLiteral("found"));
    QTRY_VERIFY_WITH_TIMEOUT(idle(), answerTimeoutMs);
    QCOMPARE(turnRed(0), QStringLiteral("762"));
}

QPushButton *QueryWindow::button() const { return m_form->findChild<QPushButton *>(QStringLiteral("Command1")); }

} // namespace tests
