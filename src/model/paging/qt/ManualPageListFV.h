// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The "Paging Formats" window: the paging formats in record order with their
// base formats; Add asks for the base format first, then opens its editor.

#include "model/editing/qt/ListWindow.h"
#include "model/paging/PagingFormats.h"

class ManualPageListFV : public ListWindow {
    Q_OBJECT

public:
    explicit ManualPageListFV(const EditorContext& context);

protected:
    std::vector<Row> Rows() const override;
    std::optional<std::size_t> AddRecord() override;
    std::optional<std::size_t> EditRecord(std::size_t record) override;
    bool MayDelete(std::size_t record) override;
    void DeleteRecord(std::size_t record) override;

private:
    std::optional<std::size_t> RunEditor(const FormatEditor& editor,
                                         std::optional<std::size_t> record);
};
