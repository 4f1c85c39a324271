// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The "PTT ID Aliases" window: the aliases in record order (the editors keep
// them sorted by label) with their PTT IDs. A delete closes the gap at once.

#include "model/deskset/qt/EditAliasFV.h"
#include "model/editing/qt/ListWindow.h"

class AliasListFV : public ListWindowOf<EditAliasFV> {
    Q_OBJECT

public:
    explicit AliasListFV(const EditorContext& context);

protected:
    std::vector<Row> Rows() const override;
    void DeleteRecord(std::size_t record) override;
};
