#pragma once

namespace tavex {

// Next and Previous walk the panels round: from the last to the first and back.
// curVarNo is 1-based, lastVar 0-based.
int NextVarNo(int curVarNo, int lastVar);
int PreviousVarNo(int curVarNo, int lastVar);

} // namespace tavex
