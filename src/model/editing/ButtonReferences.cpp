// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/editing/ButtonReferences.h"

namespace {

std::size_t KindOffset(std::size_t key) {
    return layout::buttons::kStart + key * layout::buttons::kEntrySize +
           layout::buttons::kKind.offset;
}

std::size_t ValueOffset(std::size_t key) {
    return layout::buttons::kStart + key * layout::buttons::kEntrySize +
           layout::buttons::kValue.offset;
}

bool HasKind(const ConfigImage& image, std::size_t key, ButtonKind kind) {
    return image.U8(KindOffset(key)) == static_cast<std::uint8_t>(kind);
}

}  // namespace

bool KeyRefersTo(const ConfigImage& image, ButtonKind kind, std::size_t record) {
    for (std::size_t key = 0; key < ButtonTable::kCount; ++key) {
        if (HasKind(image, key, kind) && image.U8(ValueOffset(key)) == record + 1) {
            return true;
        }
    }
    return false;
}

void RenumberKeys(ConfigImage& image, ButtonKind kind, std::size_t tableCount,
                  const RecordMoves& moves) {
    if (!moves.Any()) {
        return;
    }
    for (std::size_t key = 0; key < ButtonTable::kCount; ++key) {
        const std::uint8_t value = image.U8(ValueOffset(key));
        if (!HasKind(image, key, kind) || value == 0 || value > tableCount) {
            continue;
        }
        const std::size_t moved = moves.NewIndex(value - 1u) + 1;
        if (moved != value) {
            image.SetU8(ValueOffset(key), static_cast<std::uint8_t>(moved));
        }
    }
}

void RenumberSpeedPageKeys(ConfigImage& image, const RecordMoves& moves) {
    RenumberKeys(image, ButtonKind::SpeedPage, layout::speed_page::kCount, moves);
}
