// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/EditorMnemonics.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace {

QString MnemonicText(const QWidget* widget) {
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        return button->text();
    }
    if (const auto* label = qobject_cast<const QLabel*>(widget); label && label->buddy()) {
        return label->text();
    }
    return {};
}

// Where the mnemonic takes the focus: a label's buddy, or the button itself.
QWidget* FocusTarget(QWidget* claimant) {
    const auto* label = qobject_cast<QLabel*>(claimant);
    return label ? label->buddy() : claimant;
}

bool IsUsable(const QWidget* widget) {
    return widget && widget->isVisible() && widget->isEnabled();
}

}  // namespace

EditorMnemonics::EditorMnemonics(QMdiArea& workspace, QObject* parent)
    : QObject(parent), m_workspace(workspace) {}

QList<QWidget*> EditorMnemonics::Claimants(const QKeyEvent& key) const {
    QWidget* focus = QApplication::focusWidget();
    if (key.modifiers() != Qt::AltModifier || !focus || !m_workspace.isAncestorOf(focus)) {
        return {};
    }
    QWidget* window = focus;
    while (window && !qobject_cast<QMdiSubWindow*>(window)) {
        window = window->parentWidget();
    }
    if (!window) {
        return {};
    }
    const QKeySequence pressed(key.keyCombination());
    QList<QWidget*> claimants;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        const QString text = MnemonicText(widget);
        if (!text.isEmpty() && IsUsable(widget) && IsUsable(FocusTarget(widget)) &&
            QKeySequence::mnemonic(text) == pressed) {
            claimants << widget;
        }
    }
    return claimants;
}

void EditorMnemonics::Trigger(const QList<QWidget*>& claimants) {
    if (claimants.size() > 1) {
        // Shared by several controls: each press moves the focus to the next one.
        const QWidget* focus = QApplication::focusWidget();
        qsizetype next = 0;
        for (qsizetype i = 0; i < claimants.size(); ++i) {
            if (FocusTarget(claimants[i]) == focus) {
                next = (i + 1) % claimants.size();
            }
        }
        FocusTarget(claimants[next])->setFocus(Qt::ShortcutFocusReason);
        return;
    }
    QWidget* target = FocusTarget(claimants.first());
    if (target->focusPolicy() != Qt::NoFocus) {
        target->setFocus(Qt::ShortcutFocusReason);
    }
    if (auto* button = qobject_cast<QAbstractButton*>(target)) {
        button->click();
    }
}

bool EditorMnemonics::eventFilter(QObject* watched, QEvent* event) {
    const bool isOverride = event->type() == QEvent::ShortcutOverride;
    if (!isOverride && event->type() != QEvent::KeyPress) {
        return QObject::eventFilter(watched, event);
    }
    auto* key = static_cast<QKeyEvent*>(event);
    const QList<QWidget*> claimants = Claimants(*key);
    if (claimants.isEmpty()) {
        return QObject::eventFilter(watched, event);
    }
    // Taking the override keeps the menu bar out; the key press then comes here.
    event->accept();
    if (!isOverride) {
        Trigger(claimants);
    }
    return true;
}
