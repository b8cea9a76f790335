// What the naming-rule window accepts: the ready-made rules it offers, the test a typed rule must
// pass, and taking an accepted rule into use. A refused rule changes nothing, so the rename run and
// the previews go on with the last rule that passed.
#pragma once

#include <QStringList>

// The ready-made rules, in the order the window lists them.
QStringList presetNameRules();

// True when the rule holds both "%Name%" and "%Version%" (exact case, anywhere, blanks kept) and
// can give a file name at all: a "/", a NUL or another control character never can.
bool isValidNameRule(const QString &rule);

enum class NameRuleChange {
    Refused,  // lacks a placeholder or cannot name a file: neither the active nor the stored rule changed
    Saved,    // stored and active
    NotStored // active for this run, but the settings store could not be written
};

// Makes a valid rule the active one and stores it; leaves everything as it was for a refused one.
NameRuleChange applyNameRule(const QString &rule);
