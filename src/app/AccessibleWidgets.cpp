// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AccessibleWidgets.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QHeaderView>
#include <QMap>
#include <QPointer>

#include "app/CConfigTree.h"

namespace {

// A drop-down list: its name is the one every other control gets (the
// accessible name, else its label's text); its value, and its text for a
// screen reader that reads what is displayed, the entry shown.
class LabelledComboBox : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit LabelledComboBox(QComboBox* combo) : QAccessibleWidget(combo, QAccessible::ComboBox) {
        addControllingSignal(QLatin1String("currentIndexChanged(int)"));
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Value ? Entry() : QAccessibleWidget::text(t);
    }
    // The list of entries, as Qt's own drop-down list has it.
    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 ? QAccessible::queryAccessibleInterface(Combo()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child && child->object() == Combo()->view() ? 0 : -1;
    }
    QStringList actionNames() const override {
        return QStringList{showMenuAction(), pressAction()} << QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action == showMenuAction() || action == pressAction()) {
            Combo()->showPopup();
        } else {
            QAccessibleWidget::doAction(action);
        }
    }

    // The entry shown, as read-only text.
    QString text(int start, int end) const override { return Entry().mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(Entry().size()); }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }

private:
    QComboBox* Combo() const { return static_cast<QComboBox*>(widget()); }
    QString Entry() const { return Combo()->currentText(); }
};

// One item of the configuration tree.
class TreeItemAccessible : public QAccessibleInterface {
public:
    TreeItemAccessible(CConfigTree* tree, QTreeWidgetItem* item) : m_tree(tree), m_item(item) {}

    bool isValid() const override { return !m_tree.isNull(); }
    QObject* object() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(m_tree.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name && isValid() ? m_item->text(0) : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!isValid()) {
            return {};
        }
        const QRect item = m_tree->visualItemRect(m_item);
        return {m_tree->viewport()->mapToGlobal(item.topLeft()), item.size()};
    }
    QAccessible::Role role() const override { return QAccessible::TreeItem; }
    QAccessible::State state() const override {
        QAccessible::State state;
        if (!isValid()) {
            return state;
        }
        state.disabled = m_item->isDisabled();
        state.selectable = true;
        state.focusable = true;
        state.selected = m_item->isSelected();
        state.focused = m_tree->hasFocus() && m_tree->currentItem() == m_item;
        if (m_item->childCount() > 0) {
            state.expandable = true;
            state.expanded = m_item->isExpanded();
            state.collapsed = !m_item->isExpanded();
        }
        state.invisible = !m_tree->viewport()->rect().intersects(m_tree->visualItemRect(m_item));
        return state;
    }

private:
    QPointer<CConfigTree> m_tree;
    QTreeWidgetItem* m_item;
};

// The configuration tree: its items in the order shown, numbered as the view
// numbers them in its focus and selection events, that is after its header
// row, which counts though it is hidden.
class ConfigTreeAccessible : public QAccessibleWidget {
public:
    explicit ConfigTreeAccessible(CConfigTree* tree) : QAccessibleWidget(tree, QAccessible::Tree) {}
    ~ConfigTreeAccessible() override {
        for (const QAccessible::Id id : std::as_const(m_items)) {
            QAccessible::deleteAccessibleInterface(id);
        }
    }

    int childCount() const override { return 1 + static_cast<int>(Shown().size()); }
    QAccessibleInterface* child(int index) const override {
        if (index == kHeaderRow) {
            return QAccessible::queryAccessibleInterface(Tree()->header());
        }
        const QList<QTreeWidgetItem*> shown = Shown();
        const int row = index - kHeaderRow - 1;
        return row >= 0 && row < shown.size() ? ItemInterface(shown[row]) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (child && child->object() == Tree()->header()) {
            return kHeaderRow;
        }
        const QList<QTreeWidgetItem*> shown = Shown();
        for (int row = 0; row < shown.size(); ++row) {
            if (m_items.contains(shown[row]) &&
                QAccessible::accessibleInterface(m_items[shown[row]]) == child) {
                return kHeaderRow + 1 + row;
            }
        }
        return -1;
    }
    QAccessibleInterface* focusChild() const override {
        QTreeWidgetItem* current = Tree()->currentItem();
        return Tree()->hasFocus() && current ? ItemInterface(current) : nullptr;
    }

private:
    static constexpr int kHeaderRow = 0;

    CConfigTree* Tree() const { return static_cast<CConfigTree*>(widget()); }

    // The items a user sees, top to bottom: those under a collapsed item are not.
    QList<QTreeWidgetItem*> Shown() const {
        QList<QTreeWidgetItem*> shown;
        for (QTreeWidgetItemIterator it(Tree()); *it; ++it) {
            bool hidden = false;
            for (QTreeWidgetItem* up = (*it)->parent(); up; up = up->parent()) {
                hidden = hidden || !up->isExpanded();
            }
            if (!hidden) {
                shown << *it;
            }
        }
        return shown;
    }
    QAccessibleInterface* ItemInterface(QTreeWidgetItem* item) const {
        if (!m_items.contains(item)) {
            m_items.insert(item, QAccessible::registerAccessibleInterface(
                                     new TreeItemAccessible(Tree(), item)));
        }
        return QAccessible::accessibleInterface(m_items[item]);
    }

    mutable QMap<QTreeWidgetItem*, QAccessible::Id> m_items;
};

QAccessibleInterface* Factory(const QString& className, QObject* object) {
    if (className == QLatin1String("QComboBox")) {
        return new LabelledComboBox(static_cast<QComboBox*>(object));
    }
    if (className == QLatin1String("CConfigTree")) {
        return new ConfigTreeAccessible(static_cast<CConfigTree*>(object));
    }
    // A window of its own, named by its title, not a filler inside another.
    if (className == QLatin1String("HelpWindow")) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    }
    return nullptr;
}

}  // namespace

void InstallAccessibleWidgets() {
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    (void)installed;
}
