// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The help of torvo-cli's database commands (dump, get, set, diff, export, import).

inline constexpr const char* kDumpHelp =
    "Usage: torvo-cli dump [--json] FILE\n"
    "\n"
    "Prints every field of the database by name with its value as the desktop\n"
    "program shows it, one 'path = value' line each. The list tables list only\n"
    "their records in use.\n"
    "\n"
    "Options:\n"
    "  --json    print one JSON document instead\n"
    "  --help    show this text\n";

inline constexpr const char* kGetHelp =
    "Usage: torvo-cli get FILE PATH...\n"
    "\n"
    "Prints the value of each PATH as dump shows it, one line each. A PATH that\n"
    "names a group of fields (deskset, channels[0], speed_pages[2]) prints its\n"
    "fields as dump does, one 'path = value' line each. An unknown PATH is\n"
    "reported and makes the exit status 1.\n"
    "\n"
    "Options:\n"
    "  --help    show this text\n";

inline constexpr const char* kSetHelp =
    "Usage: torvo-cli set FILE PATH=VALUE...\n"
    "\n"
    "Sets each field PATH (as dump names it) to VALUE (as dump shows it), in the\n"
    "order given. Each value passes the checks of the window that edits the\n"
    "field: its range or list, its width and characters, and the checks that\n"
    "window makes of the whole record on OK. Setting deskset.type does what the\n"
    "Deskset Settings window does when the question is answered Yes: a single\n"
    "channel deskset's channels 2 to 4 and its multi-channel keys go back to\n"
    "their defaults. FILE is written only when every assignment passed; each\n"
    "refusal is printed as 'PATH: message' and the exit status is 1.\n"
    "\n"
    "Options:\n"
    "  --help    show this text\n";

inline constexpr const char* kApplyHelp =
    "Usage: torvo-cli apply FILE JSON\n"
    "\n"
    "Sets FILE's fields from JSON, a whole or partial document as dump --json\n"
    "writes it. Each field is checked as set checks it. A list table given\n"
    "(paging_formats, speed_pages, custom_tones, ptt_id_aliases) replaces the\n"
    "table, each record through its dialog's checks, and the keys and speed\n"
    "pages follow their records by label; tables not given stay as they are.\n"
    "Bytes no field names are kept. A value or key that is no field's is\n"
    "refused with its path. FILE is written only when everything passed.\n"
    "\n"
    "  torvo-cli dump --json A.ddb > a.json && torvo-cli new B.ddb &&\n"
    "  torvo-cli apply B.ddb a.json && torvo-cli diff A.ddb B.ddb\n"
    "\n"
    "Options:\n"
    "  --help    show this text\n";

inline constexpr const char* kDiffHelp =
    "Usage: torvo-cli diff FILE1 FILE2\n"
    "\n"
    "Prints the fields whose values differ, one 'record: field: value1 -> value2'\n"
    "line each, records named as the windows name them (Channel 1, Key 3). The\n"
    "list tables' records are matched by label (paging formats, speed pages,\n"
    "aliases) or number (custom tones): a record only one file has is one\n"
    "'record: added: ...' or 'record: removed: ...' line. Then comes how many\n"
    "bytes outside every named field differ (the reserved\n"
    "areas, the gaps inside records) when any do. Exits 0 when the databases\n"
    "are alike, 1 when they differ and 2 when a file cannot be read.\n"
    "\n"
    "Options:\n"
    "  --help    show this text\n";

inline constexpr const char* kExportHelp =
    "Usage: torvo-cli export TABLE FILE\n"
    "\n"
    "Prints a table of the database as CSV with a header row. TABLE is one of\n"
    "  paging-formats slot,label,base_format, then the parameters of every base\n"
    "                format, each filled for the formats that have it\n"
    "  speed-pages   label,paging_format,digits\n"
    "  aliases       label,ptt_id,protocol (MDC1200 or DTMF)\n"
    "  custom-tones  number,first_tone_hz,first_tone_ms,intertone_delay_ms,\n"
    "                second_tone_hz,second_tone_ms,inhibit_delay_ms\n"
    "\n"
    "Options:\n"
    "  --help    show this text\n";

inline constexpr const char* kImportHelp =
    "Usage: torvo-cli import TABLE FILE CSV\n"
    "\n"
    "Replaces a table of the database with the rows of CSV (UTF-8, a header\n"
    "row as export writes it). Each row passes the checks of the table's\n"
    "editor; every refused row is reported as 'line N: message'. Speed Page\n"
    "and Manual Page keys follow their record by label, and so do the speed\n"
    "pages' paging formats. A paging format row without a slot takes the lowest\n"
    "free one. FILE is written only when every\n"
    "row passed; otherwise it is left as it was and the exit status is 1.\n"
    "Text that is not plain CSV (a NUL, a quote inside an unquoted field) is\n"
    "refused with its line, and so is a row beyond the table's records.\n"
    "TABLE is paging-formats, speed-pages, aliases or custom-tones.\n"
    "\n"
    "Options:\n"
    "  --help    show this text\n";
