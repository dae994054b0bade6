// SPDX-License-Identifier: MIT
#pragma once

#include <QCompleter>
#include <QPointer>

class QLineEdit;
class QStringListModel;

namespace app {

// Offers the names queried in this run, the latest first, under the name input as the user
// types. A click outside its popup closes the popup and still reaches the control under the
// pointer: Qt's completer keeps that press for itself, so a click on 查询 with the popup open
// would only close the popup.
class NameCompleter : public QCompleter
{
    Q_OBJECT
public:
    explicit NameCompleter(QLineEdit *input);

    // A name as it was searched; an empty one is not offered.
    void remember(const QString &name);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QStringListModel *m_names;
    QWidget *m_popup = nullptr;
    QPointer<QWidget> m_pressedBeside; // the control under the last press beside the popup
};

} // namespace app
