#include "setup/panel_navigation.h"

namespace tavex {

int NextVarNo(int curVarNo, int lastVar)
{
    return curVarNo == lastVar + 1 ? 1 : curVarNo + 1;
}

int PreviousVarNo(int curVarNo, int lastVar)
{
    return curVarNo == 1 ? lastVar + 1 : curVarNo - 1;
}

} // namespace tavex
