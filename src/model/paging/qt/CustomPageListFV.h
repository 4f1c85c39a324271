// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The "Custom Paging Tones" window: one row per tone in use, in number
// order, showing the number its record holds.

#include "model/editing/qt/ListWindow.h"
#include "model/paging/qt/EditCustomPageFV.h"

class CustomPageListFV : public ListWindowOf<EditCustomPageFV> {
    Q_OBJECT

public:
    explicit CustomPageListFV(const EditorContext& context);

protected:
    std::vector<Row> Rows() const override;
    void DeleteRecord(std::size_t record) override;
};
