#pragma once
// The configuration tree: one item per configuration area, each with a state
// picture (closed, open, unavailable). Items are addressed by their text.

#include <QSet>
#include <QTreeWidget>

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
    // Speed Paging needs a paging format; Speed Paging and Buttons
    // Configuration are never open at once, since speed pages move under keys.
    void RefreshSpeedPagingItem();
    void RefreshButtonsItem();

    State ItemState(const QString& text) const;
    QTreeWidgetItem* FindItem(const QString& text) const;
    QTreeWidgetItem* RememberedItem() const { return m_remembered; }
    // Acts as a click on the item: opens its editor window unless it is unavailable.
    void ActivateItem(QTreeWidgetItem* item);

    // The command an item posts (200..210), or 0 for the root and "Paging".
    static int CommandForItem(const QString& text);

signals:
    // Posted (queued) to the main window.
    void EditorCommand(int command);
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
    QSet<QString> m_openEditors;  // tree texts of the open editor windows
};
