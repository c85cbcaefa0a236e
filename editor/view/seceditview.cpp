// The source editor's view over the editor core.
#include "editor/view/seceditview.inl"

template class SECEditViewOver<SECEditCore<CView>>;

IMPLEMENT_DYNCREATE(SECEditView, CView)
