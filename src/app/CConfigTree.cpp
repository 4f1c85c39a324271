// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CConfigTree.h"

#include <QApplication>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QPainter>
#include <QTimer>
#include <algorithm>

#include "app/ConfigAreas.h"
#include "model/DesksetSettings.h"
#include "model/ManualPage.h"

namespace {

constexpr int kStateRole = Qt::UserRole + 1;
constexpr int kPicture = 16;
constexpr int kGap = 2;

namespace t = area_texts;

QString ChannelText(int n) {
    return QString::fromStdString(AreaOf(EditorKind::ChanCfg, n)->treeText);
}

// The item picture with its state picture in front, drawn at the screen's pixel ratio.
QIcon ItemIcon(CConfigTree::State state) {
    static const QIcon item(":/icons/tree/item.svg");
    static const QIcon overlay(":/icons/tree/overlay-disabled.svg");
    static const QIcon states[] = {QIcon(), QIcon(":/icons/tree/state-closed.svg"),
                                   QIcon(":/icons/tree/state-open.svg"),
                                   QIcon(":/icons/tree/state-unavailable.svg")};
    QIcon icon;
    for (const qreal ratio : {1.0, 2.0}) {
        QPixmap pixmap(QSize(2 * kPicture + kGap, kPicture) * ratio);
        pixmap.setDevicePixelRatio(ratio);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        const QSize size(kPicture, kPicture);
        if (state != CConfigTree::kNoState) {
            states[state].paint(&painter, QRect(QPoint(0, 0), size));
        }
        const QRect itemRect(QPoint(kPicture + kGap, 0), size);
        item.paint(&painter, itemRect, Qt::AlignCenter,
                   state == CConfigTree::kUnavailable ? QIcon::Disabled : QIcon::Normal);
        if (state == CConfigTree::kUnavailable) {
            overlay.paint(&painter, itemRect);
        }
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace

CConfigTree::CConfigTree(QWidget* parent) : QTreeWidget(parent) {
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(true);
    setItemsExpandable(true);
    setDragEnabled(false);
    setFrameShadow(QFrame::Sunken);
    setIconSize(QSize(2 * kPicture + kGap, kPicture));
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Full texts: the column is as wide as its longest item, with a scroll bar
    // when the docking window is narrower.
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    Build();
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        if (current) {
            m_remembered = current;
        }
    });
}

void CConfigTree::Build() {
    auto* root = new QTreeWidgetItem(this, QStringList{QString()});
    SetState(root, kNoState);
    // The areas come in tree order, each after the item it hangs under.
    const auto parentOf = [this, root](const char* parentText) -> QTreeWidgetItem* {
        if (!parentText) {
            return root;
        }
        if (QTreeWidgetItem* parent = FindItem(parentText)) {
            return parent;
        }
        auto* group = new QTreeWidgetItem(root, QStringList{parentText});
        SetState(group, kNoState);
        return group;
    };
    for (const ConfigArea& area : ConfigAreas()) {
        SetState(new QTreeWidgetItem(parentOf(area.parentText),
                                     QStringList{QString::fromStdString(area.treeText)}),
                 kClosed);
    }
    expandAll();
}

const ConfigArea* CConfigTree::AreaForItem(const QString& text) {
    return AreaByTreeText(text.toStdString());
}

QTreeWidgetItem* CConfigTree::FindItem(const QString& text) const {
    // Depth first from the root; the root itself is never found by text.
    QTreeWidgetItemIterator it(const_cast<CConfigTree*>(this));
    for (++it; *it; ++it) {
        if ((*it)->text(0) == text) {
            return *it;
        }
    }
    return nullptr;
}

CConfigTree::State CConfigTree::ItemState(const QString& text) const {
    QTreeWidgetItem* item = FindItem(text);
    return item ? static_cast<State>(item->data(0, kStateRole).toInt()) : kNoState;
}

void CConfigTree::SetState(QTreeWidgetItem* item, State state) {
    item->setData(0, kStateRole, state);
    item->setIcon(0, ItemIcon(state));
}

void CConfigTree::SetRootLabel(const QString& text) {
    topLevelItem(0)->setText(0, text);
}

QString CConfigTree::RootLabel() const {
    return topLevelItem(0)->text(0);
}

void CConfigTree::SetItemAvailable(const QString& text, bool available) {
    QTreeWidgetItem* item = FindItem(text);
    if (!item || text == t::kPaging) {
        return;
    }
    // An open window keeps its marker: only closing it sets the item back to closed.
    const bool open = item->data(0, kStateRole).toInt() == kOpen;
    SetState(item, !available ? kUnavailable : open ? kOpen : kClosed);
    item->setDisabled(!available);
    emit AvailabilityChanged(text, available);
}

void CConfigTree::MarkItemOpen(const QString& text) {
    QTreeWidgetItem* item = FindItem(text);
    if (!item || text == t::kPaging) {
        return;
    }
    SetState(item, kOpen);
    m_remembered = item;
}

void CConfigTree::EditorOpened(const QString& text) {
    if (const ConfigArea* area = AreaForItem(text)) {
        m_openEditors.insert(area->kind);
        RefreshButtonsItem();
        RefreshSpeedPagingItem();
    }
}

void CConfigTree::EditorClosed(const QString& text) {
    const ConfigArea* area = AreaForItem(text);
    if (const auto open = area ? m_openEditors.find(area->kind) : m_openEditors.end();
        open != m_openEditors.end()) {
        m_openEditors.erase(open);
        RefreshButtonsItem();
        RefreshSpeedPagingItem();
    }
    QTreeWidgetItem* item = FindItem(text);
    if (!item) {
        return;
    }
    SetState(item, kClosed);
    setCurrentItem(item);
    setFocus();
    // The workspace activates the next editor window once the closing one is gone,
    // which takes the focus along; the tree takes it back after that.
    QTimer::singleShot(0, this, [this] {
        if (isVisible()) {
            setFocus();
        }
    });
}

void CConfigTree::RefreshChannelItems() {
    SetItemAvailable(t::kDeskset, true);
    const std::uint8_t type = DesksetSettings(TheImage()).DesksetType();
    if (type == layout::deskset::kTypeSingleChannel || type == layout::deskset::kTypeFourChannel) {
        for (int n = 2; n <= 4; ++n) {
            SetItemAvailable(ChannelText(n), type == layout::deskset::kTypeFourChannel);
        }
    }
}

bool CConfigTree::KeptClosed(EditorKind kind) const {
    return std::any_of(m_openEditors.begin(), m_openEditors.end(),
                       [kind](EditorKind open) { return KeepsClosed(open, kind); });
}

void CConfigTree::RefreshSpeedPagingItem() {
    SetItemAvailable(t::kSpeedPaging,
                     AnyManualPageExists(TheImage()) && !KeptClosed(EditorKind::SpeedPageList));
}

void CConfigTree::RefreshButtonsItem() {
    SetItemAvailable(t::kButtons, !KeptClosed(EditorKind::DesksetButtonsCfg));
}

void CConfigTree::RefreshItemStates() {
    RefreshChannelItems();
    const std::uint8_t type = DesksetSettings(TheImage()).DesksetType();
    if (type == layout::deskset::kTypeSingleChannel || type == layout::deskset::kTypeFourChannel) {
        SetItemAvailable(ChannelText(1), true);
    }
    RefreshButtonsItem();
    SetItemAvailable(t::kPagingFormats, true);
    RefreshSpeedPagingItem();
    SetItemAvailable(t::kCustomTones, true);
    SetItemAvailable(t::kAliases, true);
}

void CConfigTree::ActivateItem(QTreeWidgetItem* item) {
    if (!item) {
        return;
    }
    const State state = static_cast<State>(item->data(0, kStateRole).toInt());
    if (state == kUnavailable) {
        return;
    }
    const QString text = item->text(0);
    const ConfigArea* area = AreaForItem(text);
    if (item == topLevelItem(0) || !area) {
        return;
    }
    MarkItemOpen(text);
    emit AreaChosen(*area);
}

bool CConfigTree::HitsPictureOrLabel(QTreeWidgetItem* item, const QPoint& pos) const {
    const QRect row = visualItemRect(item);
    const int textWidth = fontMetrics().horizontalAdvance(item->text(0));
    // Picture, a little padding, then the label.
    const int width =
        iconSize().width() + 3 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + textWidth + 8;
    return pos.x() >= row.left() && pos.x() <= row.left() + width;
}

void CConfigTree::mousePressEvent(QMouseEvent* event) {
    QTreeWidget::mousePressEvent(event);
    QTreeWidgetItem* item = itemAt(event->pos());
    if (event->button() == Qt::LeftButton && item && HitsPictureOrLabel(item, event->pos())) {
        ActivateItem(item);
    }
}

void CConfigTree::mouseDoubleClickEvent(QMouseEvent* event) {
    // An area item opens its window; the root and "Paging" keep the usual expand and collapse.
    QTreeWidgetItem* item = itemAt(event->pos());
    if (event->button() == Qt::LeftButton && item && AreaForItem(item->text(0)) &&
        item != topLevelItem(0) && HitsPictureOrLabel(item, event->pos())) {
        ActivateItem(item);
        return;
    }
    QTreeWidget::mouseDoubleClickEvent(event);
}

bool CConfigTree::HandleActivationKey(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            ActivateItem(m_remembered);
            return true;
        default:
            return false;
    }
}

bool CConfigTree::event(QEvent* event) {
    // Tab would otherwise move the focus before keyPressEvent sees it.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
            HandleActivationKey(key)) {
            return true;
        }
    }
    return QTreeWidget::event(event);
}

void CConfigTree::keyPressEvent(QKeyEvent* event) {
    if (!HandleActivationKey(event)) {
        QTreeWidget::keyPressEvent(event);
    }
}
