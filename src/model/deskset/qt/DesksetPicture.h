// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The deskset as the technician sees it: its body, display and speaker drawn
// as vector art in the palette's colours (so it is crisp at any pixel ratio
// and follows light and dark themes), the 18 programmable keys in three
// groups of six with their short labels under them, and on a four-channel
// deskset the eight fixed channel keys. Everything is measured from the
// font, so large text gives a larger deskset.

#include <QWidget>
#include <array>

#include "model/ButtonTable.h"

class QLabel;
class QPushButton;

class DesksetPicture : public QWidget {
    Q_OBJECT

public:
    static constexpr int kGroups = 3;
    static constexpr int kKeysPerGroup = 6;
    static_assert(kGroups * kKeysPerGroup == ButtonTable::kCount);

    DesksetPicture(bool fourChannel, QWidget* parent = nullptr);

    bool FourChannel() const { return m_fourChannel; }
    QPushButton* Key(std::size_t key) const { return m_keys.at(key); }
    QString ShortLabel(std::size_t key) const;
    // The label under the key, and the key's function said in full (its tooltip).
    void ShowKey(std::size_t key, const QString& shortLabel, const QString& function);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    void KeyPressed(std::size_t key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // The measures, from the font.
    int Unit() const;
    QRect KeyRect(std::size_t key) const;
    QRect FixedKeyRect(int k) const;
    QRect DisplayRect() const;
    QRect SpeakerRect() const;
    void PlaceKeys();

    bool m_fourChannel;
    std::array<QPushButton*, ButtonTable::kCount> m_keys{};
    std::array<QLabel*, ButtonTable::kCount> m_labels{};
};
