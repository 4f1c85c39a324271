// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// After a validation message: the focus goes to the offending field, with its
// whole text selected, once the message box has closed.

class QWidget;

void FocusAndSelectLater(QWidget* field);
