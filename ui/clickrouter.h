// ClickRouter turns mouse input on the window's controls into clicks.
//
// A click is the primary button pressed and released over the same control.
// The second press of a double-click is never a click, so a double-click
// counts once even when, after the first click, another control has appeared
// under the pointer. Controls that are hidden receive no input at all, so a
// click where a hidden arrow would be falls on what lies beneath.
#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>

namespace quelvara {

class ClickRouter final : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // onClick runs for every click on control, after the release.
    void watch(QWidget* control, std::function<void()> onClick);

    // Does what a click on control does, for input that is not a mouse (a
    // screen reader's press). Returns false if control is not watched.
    bool activate(QWidget* control) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QHash<QObject*, std::function<void()>> m_controls;
    QPointer<QWidget> m_pressed;
};

} // namespace quelvara
