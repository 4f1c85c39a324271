// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The configuration tree: one item per configuration area, each with a state
// picture (closed, open, unavailable). Items are addressed by their text.

#include <QTreeWidget>
#include <set>

#include "model/EditorKind.h"

struct ConfigArea;

class CConfigTree : public QTreeWidget {
    Q_OBJECT

public:
    enum State { kNoState = 0, kClosed = 1, kOpen = 2, kUnavailable = 3 };

    explicit CConfigTree(QWidget* parent = nullptr);

    void SetRootLabel(const QString& text);
    QString RootLabel() const;
    void SetItemAvailable(const QString& text, bool available);
    void MarkItemOpen(const QString& text);
    // An editor window of the item was created, or was closed.
    void EditorOpened(const QString& text);
    void EditorClosed(const QString& text);
    // Availability of every item from the image.
    void RefreshItemStates();
    void RefreshChannelItems();
    // Speed Paging needs a paging format; no item is available while an open
    // window keeps its editor closed (kNeverOpenTogether).
    void RefreshSpeedPagingItem();
    void RefreshButtonsItem();

    State ItemState(const QString& text) const;
    QTreeWidgetItem* FindItem(const QString& text) const;
    QTreeWidgetItem* RememberedItem() const { return m_remembered; }
    // Acts as a click on the item: opens its editor window unless it is unavailable.
    void ActivateItem(QTreeWidgetItem* item);

    // The area of an item, or null for the root and "Paging".
    static const ConfigArea* AreaForItem(const QString& text);

signals:
    // The user chose an item's area: its editor window is to open.
    void AreaChosen(const ConfigArea& area);
    // For the View menu items that follow their tree item.
    void AvailabilityChanged(const QString& text, bool available);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void Build();
    void SetState(QTreeWidgetItem* item, State state);
    bool HitsPictureOrLabel(QTreeWidgetItem* item, const QPoint& pos) const;
    bool HandleActivationKey(QKeyEvent* event);

    QTreeWidgetItem* m_remembered = nullptr;
    // Whether an open editor window keeps the editor of kind closed.
    bool KeptClosed(EditorKind kind) const;

    std::multiset<EditorKind> m_openEditors;  // the kinds of the open editor windows
};
