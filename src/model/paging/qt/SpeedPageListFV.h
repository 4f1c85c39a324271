// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The "Speed Paging" window: the speed pages in label order, each with the
// paging format it is sent with. While it is open the tree keeps Buttons
// Configuration unavailable, since its records move under the keys.

#include "model/editing/qt/ListWindow.h"
#include "model/paging/qt/EditSpeedPageFV.h"

class SpeedPageListFV : public ListWindowOf<EditSpeedPageFV> {
    Q_OBJECT

public:
    explicit SpeedPageListFV(const EditorContext& context);

protected:
    std::vector<Row> Rows() const override;
    bool MayDelete(std::size_t record) override;
    void DeleteRecord(std::size_t record) override;
};
