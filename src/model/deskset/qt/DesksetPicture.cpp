// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/deskset/qt/DesksetPicture.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <algorithm>

namespace {

constexpr int kColumns = 3;  // of a group; its six keys are two rows of three
constexpr const char* kFixedKeys[] = {"Tx 4", "Sel 4", "Tx 3", "Sel 3",
                                      "Tx 2", "Sel 2", "Tx 1", "Sel 1"};
constexpr int kFixedKeyCount = 8;
constexpr int kSpeakerSlots = 6;

}  // namespace

DesksetPicture::DesksetPicture(bool fourChannel, QWidget* parent)
    : QWidget(parent), m_fourChannel(fourChannel) {
    for (std::size_t key = 0; key < m_keys.size(); ++key) {
        auto* button = new QPushButton(this);
        button->setAccessibleName(QString("Key %1").arg(key + 1));
        button->setFocusPolicy(Qt::StrongFocus);
        button->setAutoDefault(false);
        button->installEventFilter(this);
        connect(button, &QPushButton::clicked, this, [this, key] { emit KeyPressed(key); });
        m_keys[key] = button;
        auto* label = new QLabel(this);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        m_labels[key] = label;
    }
    for (std::size_t key = 1; key < m_keys.size(); ++key) {
        setTabOrder(m_keys[key - 1], m_keys[key]);
    }
    PlaceKeys();
}

bool DesksetPicture::eventFilter(QObject* watched, QEvent* event) {
    // Enter presses the key with the focus, as Space does.
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        auto* button = qobject_cast<QPushButton*>(watched);
        if (button && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier &&
            (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            button->click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

QString DesksetPicture::ShortLabel(std::size_t key) const {
    return m_labels.at(key)->text();
}

void DesksetPicture::ShowKey(std::size_t key, const QString& shortLabel, const QString& function) {
    m_labels.at(key)->setText(shortLabel);
    m_keys.at(key)->setToolTip(function);
    m_keys.at(key)->setAccessibleDescription(function);
}

int DesksetPicture::Unit() const {
    return fontMetrics().height();
}

// A key is as wide as the longest short label, and a label sits under each.
QRect DesksetPicture::KeyRect(std::size_t key) const {
    const int u = Unit();
    const int width = std::max(3 * u, fontMetrics().horizontalAdvance("AlMut") + u);
    const int height = 2 * u;
    const int columnPitch = width + u / 2;
    const int rowPitch = height + u + u / 2;
    const int group = static_cast<int>(key) / kKeysPerGroup;
    const int inGroup = static_cast<int>(key) % kKeysPerGroup;
    const int x = 2 * u + group * (kColumns * columnPitch + u) + (inGroup % kColumns) * columnPitch;
    const int y = DisplayRect().bottom() + 2 * u + (inGroup / kColumns) * rowPitch;
    return {x, y, width, height};
}

QRect DesksetPicture::FixedKeyRect(int k) const {
    const QRect first = KeyRect(0);
    const QRect lastRow = KeyRect(ButtonTable::kCount - 1);
    const int right = lastRow.right();
    const int pitch = (right - first.left() + 1) / kFixedKeyCount;
    const int u = Unit();
    return {first.left() + k * pitch, lastRow.bottom() + 2 * u + u / 2, pitch - u / 2,
            first.height()};
}

QRect DesksetPicture::DisplayRect() const {
    const int u = Unit();
    return {2 * u, 2 * u, 14 * u, 3 * u};
}

QRect DesksetPicture::SpeakerRect() const {
    const QRect display = DisplayRect();
    const int right = KeyRect(ButtonTable::kCount - 1).right();
    return {display.right() + 2 * Unit(), display.top(), right - display.right() - 2 * Unit(),
            display.height()};
}

void DesksetPicture::PlaceKeys() {
    for (std::size_t key = 0; key < m_keys.size(); ++key) {
        const QRect rect = KeyRect(key);
        m_keys[key]->setGeometry(rect);
        m_labels[key]->setGeometry(rect.left() - Unit() / 4, rect.bottom() + 2,
                                   rect.width() + Unit() / 2, Unit() + 2);
    }
}

QSize DesksetPicture::sizeHint() const {
    const int u = Unit();
    const QRect last =
        m_fourChannel ? FixedKeyRect(kFixedKeyCount - 1) : KeyRect(ButtonTable::kCount - 1);
    return {KeyRect(ButtonTable::kCount - 1).right() + 2 * u, last.bottom() + 3 * u};
}

void DesksetPicture::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // The measures follow the font: a larger text gives a larger deskset.
    if (event->type() == QEvent::FontChange) {
        PlaceKeys();
        updateGeometry();
    }
}

void DesksetPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& colours = palette();
    const int u = Unit();

    // The body.
    const QRectF body = QRectF(rect()).adjusted(u / 2.0, u / 2.0, -u / 2.0, -u / 2.0);
    painter.setPen(QPen(colours.color(QPalette::Dark), 1.5));
    painter.setBrush(colours.color(QPalette::Button));
    painter.drawRoundedRect(body, u, u);

    // The display, with the deskset's kind in it.
    painter.setPen(QPen(colours.color(QPalette::Mid), 1));
    painter.setBrush(colours.color(QPalette::Base));
    painter.drawRoundedRect(DisplayRect(), u / 3.0, u / 3.0);
    painter.setPen(colours.color(QPalette::Text));
    painter.drawText(
        DisplayRect(), Qt::AlignCenter,
        m_fourChannel ? QStringLiteral("Four channels") : QStringLiteral("Single channel"));

    // The speaker grille.
    const QRect speaker = SpeakerRect();
    painter.setPen(
        QPen(colours.color(QPalette::Dark), std::max(2, u / 5), Qt::SolidLine, Qt::RoundCap));
    for (int slot = 0; slot < kSpeakerSlots; ++slot) {
        const int y = speaker.top() + (slot * speaker.height()) / (kSpeakerSlots - 1);
        painter.drawLine(speaker.left(), y, speaker.right(), y);
    }

    // The groups' frames.
    painter.setPen(QPen(colours.color(QPalette::Mid), 1, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    for (int group = 0; group < kGroups; ++group) {
        const QRect first = KeyRect(group * kKeysPerGroup);
        const QRect last = KeyRect(group * kKeysPerGroup + kKeysPerGroup - 1);
        painter.drawRoundedRect(
            QRect(first.topLeft(), last.bottomRight()).adjusted(-u / 4, -u / 4, u / 4, u + u / 4),
            u / 3.0, u / 3.0);
    }

    // The channel keys of a four-channel deskset: part of the deskset, not programmable.
    if (m_fourChannel) {
        for (int k = 0; k < kFixedKeyCount; ++k) {
            const QRect key = FixedKeyRect(k);
            painter.setPen(QPen(colours.color(QPalette::Dark), 1));
            painter.setBrush(colours.color(QPalette::Window));
            painter.drawRoundedRect(key, u / 4.0, u / 4.0);
            painter.setPen(colours.color(QPalette::ButtonText));
            painter.drawText(QRect(key.left(), key.bottom() + 2, key.width(), u + 2),
                             Qt::AlignHCenter | Qt::AlignTop, kFixedKeys[k]);
        }
    }
}
