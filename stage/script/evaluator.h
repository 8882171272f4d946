#pragma once
// The code of the command "コードの実行": a short text that reads and assigns
// integers. Words are separated by spaces; an operator is a word of its own
// («1+2» is one word, not a sum). A word is a bracketed sub-text, a call
// «rand(a,b)», one of the operators = + - * / %, a variable «C12» (common)
// or «S3» (stage), a status with an optional object «my.hp», «tg.def»,
// «pl.v3», «sys.time», or else a decimal number (a word that does not start
// with one reads 0). "*", "/", "%" bind first, then "+", "-", then "=",
// each from the left; every value is read when its word is read, so
// «C1 = 5 C2 = C1» gives C2 the old C1.
//
// An error shows its box, sets bCodeError and ends the text at its own
// level: a bracketed text or an argument that fails counts as 0 in the
// text around it, which still runs. Assignments already made stay.
#include <cstddef>
#include <string>
#include <vector>

class cChara;
class cCommandData;

// Stage variables of the running stage: indices 0..255.
constexpr int STAGE_VAR_COUNT = 256;

// 1 after any error of the current run.
extern int bCodeError;

// Runs a text for the character (the object "my"); 1 after success, 0 after
// an error. The character's HP and SP gauges show what the text changed.
int CodeRun(const std::string& text, cChara* chara);
// The value of a text that may hold brackets and calls.
int CodeReduce(const std::string& text, cChara* chara);
// The value of a text without brackets.
int CodeEvaluate(const std::string& text, cChara* chara);

// Two steps of the evaluator that guard against what its tables and its
// bracket matching already rule out; each shows its box and sets
// bCodeError when the guard is met.
// The character an object index names (0 "my" the running one, 1 "tg" its
// target, 2 "pl" player 1, 3 "sys" none); false for a missing target
// (without a box) and for an index outside the object table.
bool CodeObjectCharacter(int object, cChara* running, cChara*& out);
// The arguments of the call named name whose "(" stands at open: split at
// the commas outside nested brackets, empty ones dropped, up to the ")"
// that closes the call (its position in close); false when the text ends
// first.
bool CodeCallArguments(const std::string& text, size_t open, const std::string& name,
                       std::vector<std::string>& args, size_t& close);
