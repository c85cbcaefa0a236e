// Editor core: the find and replace commands.
#pragma once

#include "editor/findhistory.h"
#include "editor/view/seceditcore.h"

template <class TBase>
void SECEditCore<TBase>::LoadFindSettings(OEFindDlg*) {}

template <class TBase>
void SECEditCore<TBase>::OnEditFind() {}

template <class TBase>
void SECEditCore<TBase>::OnEditReplace() {}

template <class TBase>
void SECEditCore<TBase>::OnFindNext() {}

template <class TBase>
BOOL SECEditCore<TBase>::CanFindNext() {
  return !LastSearchText().IsEmpty();
}
