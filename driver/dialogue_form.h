// The spoken form: questions one under another, walked with the arrows,
// each announcing itself and its answer when reached and edited in place;
// F9 offers a field's fixed answers in a choice list. Every answer is
// stored when the form is left.
#pragma once

#include <string>

// Columns given to the labels (28 at start).
extern int formLabelWidth;

// Starts an empty form whose first field is drawn on the cursor's row.
void BeginForm();
// A text answer of at most width characters, starting as the variable's text.
void AddTextField(const std::string& key, const std::string& label, std::string& target, int width);
// A number answer, starting as the variable in decimal.
void AddNumberField(const std::string& key, const std::string& label, int& target);
// A yes/no answer ("SIM" or "NÃO"), starting as the variable says.
void AddYesNoField(const std::string& key, const std::string& label, bool& target);

// Lets the user walk and edit the fields (editing turns the editor's editing
// commands on), then stores every answer into its variable and discards the
// fields. The last key read: 27, 73 (PgUp) or 81 (PgDn).
int RunForm(bool editing);

// The answer chosen among field n's fixed answers, or value unchanged when
// the field has none or nothing was chosen.
std::string ChooseFromList(int n, const std::string& value);
