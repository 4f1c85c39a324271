// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/deskset/DcPlanForm.h"

#include "model/deskset/ChannelLists.h"

DcPlanForm LoadDcPlan(const ChannelRecord& record) {
    DcPlanForm form;
    form.rows = LoadFrequencyRows<DcPlanForm::kFrequencies>(
        record, [&record](std::size_t f) { return DcCurrentIndex(record.DcCurrent(f)); });
    form.monitor = DcCurrentIndex(record.S8(layout::channel::kDcMonitorCurrent));
    return form;
}

void WriteDcPlan(const DcPlanForm& form, ChannelRecord& record) {
    StoreFrequencyRows(record, form.rows, [&record](std::size_t f, int index) {
        record.SetDcCurrent(f, DcCurrentOfEntry(index));
    });
    record.SetS8(layout::channel::kDcMonitorCurrent, DcCurrentOfEntry(form.monitor));
}
