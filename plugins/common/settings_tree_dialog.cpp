#include "plugins/common/settings_tree_dialog.h"

#include "platform/ui/resources.h"

namespace {
constexpr int kTreeControl = 1000;
constexpr int kPageArea = 1001;
constexpr int kSetAsDefaultButton = 3;
constexpr int kOpenBranchIcon = 132;
constexpr int kClosedBranchIcon = 133;
constexpr int kPageIcon = 169;
constexpr int kImageOpenBranch = 0;
constexpr int kImageClosedBranch = 1;
constexpr int kImagePage = 2;
constexpr UINT kImageListFlags = 9;  // 8-bit colour with a mask
// The page area inside the group box 1001.
constexpr RECT kPageAreaInset = {5, 12, 5, 5};

bool ReadsString(const PageEntry& e, OptionString which) {
  return e.kind == PageKind::kOption && e.reads == which;
}

}  // namespace

BEGIN_MESSAGE_MAP(CSettingsTreeDialog, CDialog)
ON_NOTIFY(TVN_SELCHANGING, 1000, OnSelChangingTree)
ON_NOTIFY(TVN_SELCHANGED, 1000, OnSelChangedTree)
ON_NOTIFY(TVN_ITEMEXPANDED, 1000, OnItemExpandedTree)
ON_CONTROL(BN_CLICKED, 3, OnSetAsDefault)
ON_WM_DESTROY()
END_MESSAGE_MAP()

CSettingsTreeDialog::CSettingsTreeDialog(const PluginTables& table, BoardPages boardPages, CWnd* parent)
    : CDialog(IDD, parent),
      m_tables(table),
      m_boardPages(boardPages),
      m_tools(table.pascal),
      m_directories(table.pascal, table.includePrefix) {
  if (boardPages == BoardPages::kShown) {
    m_general = std::make_unique<CGeneralDialog>();
    m_connection = std::make_unique<CConnectionDialog>();
  }
  for (const PageEntry& e : table.pages) {
    switch (e.kind) {
      case PageKind::kGeneral:
        m_pages.push_back(m_general.get());
        break;
      case PageKind::kConnection:
        m_pages.push_back(m_connection.get());
        break;
      case PageKind::kTools:
        m_pages.push_back(&m_tools);
        break;
      case PageKind::kDirectories:
        m_pages.push_back(&m_directories);
        break;
      case PageKind::kOption:
        m_options.push_back(std::make_unique<COptionPage>(e));
        m_pages.push_back(m_options.back().get());
        break;
    }
  }
}

CSettingsTreeDialog::~CSettingsTreeDialog() = default;

COptionPage* CSettingsTreeDialog::OptionPage(int templateId) const {
  for (const auto& p : m_options)
    if (p->Entry().templateId == templateId) return p.get();
  return nullptr;
}

void CSettingsTreeDialog::LoadSettings(const ProjectSettingsData& d) {
  if (m_general) {
    m_general->SetBoard(d.cardClass, d.cardNumber);
    if (d.insFile) m_general->SetInsFile(d.insFile);
    if (d.exeFile) m_general->SetExeFile(d.exeFile);
    m_connection->SetCardInterface(d.cardInterface);
    m_connection->SetPcPort(d.pcPort);
    m_connection->SetBaudRate(d.baudRate);
    m_connection->SetDebuggeeNum(d.debuggeeNum);
    m_connection->SetKernelNum(d.kernelNum);
    if (d.kernelDir) m_connection->SetKernelPath(d.kernelDir);
  }
  const bool pascal = m_tables.pascal == PascalFields::kShown;
  if (d.incDirs) m_directories.m_includes = d.incDirs;
  if (d.libDirs) m_directories.m_libraries = d.libDirs;
  if (pascal && d.unitDirs) m_directories.m_units = d.unitDirs;
  if (d.toolDir) m_tools.m_toolDir = d.toolDir;
  if (d.makeCommand) m_tools.m_makeCommand = d.makeCommand;
  if (d.compiler) m_tools.m_compiler = d.compiler;
  if (d.assembler) m_tools.m_assembler = d.assembler;
  if (d.linker) m_tools.m_linker = d.linker;
  if (d.objSuffix) m_tools.m_objSuffix = d.objSuffix;
  if (pascal && d.pascalCompiler) m_tools.m_pascalCompiler = d.pascalCompiler;
  if (!pascal) {
    if (d.unitDirs) d.unitDirs[0] = '\0';
    if (d.pascalCompiler) d.pascalCompiler[0] = '\0';
  }
  const std::pair<OptionString, const char*> strings[] = {
      {OptionString::kCompiler, d.cFlags},
      {OptionString::kAssembler, d.asmFlags},
      {OptionString::kLinker, d.linkFlags},
  };
  for (const auto& [which, text] : strings) {
    if (!text) continue;
    const CString options = WithoutIncludeSwitches(which, text);
    for (const auto& page : m_options)
      if (ReadsString(page->Entry(), which)) page->ParseOptions(options);
    KeepUnknownSwitches(which, options);
  }
}

const FlagsRecipe& CSettingsTreeDialog::RecipeOf(OptionString which) const {
  return which == OptionString::kCompiler    ? m_tables.cFlags
         : which == OptionString::kAssembler ? m_tables.asmFlags
                                             : m_tables.linkFlags;
}

bool CSettingsTreeDialog::SomePageOwns(OptionString which, const CString& word) const {
  const FlagsRecipe& recipe = RecipeOf(which);
  if (recipe.includes == IncludeSwitches::kYes && m_directories.OwnsSwitch(word)) return true;
  CString start = recipe.start;
  for (int pos = 0; pos < start.GetLength();) {
    int blank = start.Find(' ', pos);
    if (blank < 0) blank = start.GetLength();
    if (start.Mid(pos, blank - pos) == word) return true;
    pos = blank + 1;
  }
  for (const auto& page : m_options)
    if (ReadsString(page->Entry(), which) && page->OwnsSwitch(word)) return true;
  return false;
}

// The include switches of the folders as written before (folder names may
// hold blanks or look like switches) belong to the Directories page: the
// option pages do not read them and they are not unknown words.
CString CSettingsTreeDialog::WithoutIncludeSwitches(OptionString which, const char* options) const {
  CString all = options;
  const CString includes = m_directories.BuildIncludeOptions();
  int at = includes.IsEmpty() || RecipeOf(which).includes == IncludeSwitches::kNo ? -1 : all.Find(includes);
  if (at >= 0) all = all.Left(at) + all.Mid(at + includes.GetLength());
  return all;
}

void CSettingsTreeDialog::KeepUnknownSwitches(OptionString which, const CString& all) {
  CString& kept = m_unknown[static_cast<int>(which)];
  kept.Empty();
  for (int pos = 0; pos < all.GetLength();) {
    int blank = all.Find(' ', pos);
    if (blank < 0) blank = all.GetLength();
    CString word = all.Mid(pos, blank - pos);
    if (!word.IsEmpty() && !SomePageOwns(which, word)) kept += word + " ";
    pos = blank + 1;
  }
}

CString CSettingsTreeDialog::ComposeFlags(const FlagsRecipe& recipe, OptionString which) {
  CString out = recipe.start;
  if (recipe.includes == IncludeSwitches::kYes) out += m_directories.BuildIncludeOptions();
  for (int id : recipe.pages)
    if (COptionPage* page = OptionPage(id)) out += page->BuildOptions();
  return out + m_unknown[static_cast<int>(which)];
}

void CSettingsTreeDialog::WriteSettings(ProjectSettingsData* d) {
  if (!d) return;
  if (m_general) {
    m_general->GetBoard(d->cardClass, d->cardNumber, d->cardType);
    d->cardInterface = m_connection->GetCardInterface();
    d->pcPort = m_connection->GetPcPort();
    d->baudRate = m_connection->GetBaudRate();
    d->debuggeeNum = m_connection->GetDebuggeeNum();
    d->kernelNum = m_connection->GetKernelNum();
    CopySettingText(d->kernelDir, m_connection->GetKernelPath());
    CopySettingText(d->insFile, m_general->InsFile());
    CopySettingText(d->exeFile, m_general->ExeFile());
  }
  const bool pascal = m_tables.pascal == PascalFields::kShown;
  CopySettingText(d->incDirs, m_directories.m_includes);
  CopySettingText(d->libDirs, m_directories.m_libraries);
  CopySettingText(d->unitDirs, pascal ? m_directories.m_units : CString());
  CopySettingText(d->toolDir, m_tools.m_toolDir);
  CopySettingText(d->makeCommand, m_tools.m_makeCommand);
  CopySettingText(d->compiler, m_tools.m_compiler);
  CopySettingText(d->assembler, m_tools.m_assembler);
  CopySettingText(d->linker, m_tools.m_linker);
  CopySettingText(d->pascalCompiler, pascal ? m_tools.m_pascalCompiler : CString());
  CopySettingText(d->objSuffix, m_tools.m_objSuffix);
  CopySettingText(d->cFlags, ComposeFlags(m_tables.cFlags, OptionString::kCompiler));
  CopySettingText(d->asmFlags, ComposeFlags(m_tables.asmFlags, OptionString::kAssembler));
  CopySettingText(d->linkFlags, ComposeFlags(m_tables.linkFlags, OptionString::kLinker));
  CopySettingText(d->pasFlags, "");
}

void CSettingsTreeDialog::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, kTreeControl, m_tree);
}

BOOL CSettingsTreeDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  m_images = std::make_unique<CImageList>();
  m_images->Create(16, 16, kImageListFlags, 2, 0);
  for (int icon : {kOpenBranchIcon, kClosedBranchIcon, kPageIcon})
    m_images->Add(LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(icon)));
  m_tree.SetImageList(m_images.get(), TVSIL_NORMAL);
  BuildTree();
  CreatePages();
  m_initialized = 1;
  // The first item is chosen, so that its page is the one shown.
  m_tree.SelectItem(m_tree.GetRootItem());
  return TRUE;
}

void CSettingsTreeDialog::BuildTree() {
  HTREEITEM branch = TVI_ROOT;
  m_items.assign(m_pages.size(), nullptr);
  for (size_t i = 0; i < m_pages.size(); ++i) {
    if (!m_pages[i]) continue;
    const PageEntry& e = m_tables.pages[i];
    const int image = e.node == TreeNode::kBranch ? kImageClosedBranch : kImagePage;
    HTREEITEM parent = e.level == 0 ? TVI_ROOT : branch;
    HTREEITEM item = m_tree.InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM, e.title,
                                       image, image, 0, 0, static_cast<LPARAM>(i), parent, TVI_LAST);
    if (e.level == 0) branch = item;
    m_items[i] = item;
  }
}

void CSettingsTreeDialog::CreatePages() {
  CRect area;
  GetDlgItem(kPageArea)->GetWindowRect(&area);
  ScreenToClient(&area);
  area.left += kPageAreaInset.left;
  area.top += kPageAreaInset.top;
  area.right -= kPageAreaInset.right;
  area.bottom -= kPageAreaInset.bottom;
  for (size_t i = 0; i < m_pages.size(); ++i) {
    if (!m_pages[i]) continue;
    m_pages[i]->Create(static_cast<UINT>(m_tables.pages[i].templateId), this);
    m_pages[i]->MoveWindow(&area);
  }
}

void CSettingsTreeDialog::ShowItemPage(HTREEITEM item, int show) {
  if (!item) return;
  size_t index = static_cast<size_t>(m_tree.GetItemData(item));
  if (index < m_pages.size() && m_pages[index] && m_pages[index]->m_hWnd) m_pages[index]->ShowWindow(show);
}

void CSettingsTreeDialog::OnSelChangingTree(NMHDR*, LRESULT* pResult) {
  if (m_initialized) ShowItemPage(m_tree.GetSelectedItem(), SW_HIDE);
  *pResult = 0;
}

void CSettingsTreeDialog::OnSelChangedTree(NMHDR*, LRESULT* pResult) {
  if (m_initialized) ShowItemPage(m_tree.GetSelectedItem(), SW_SHOW);
  *pResult = 0;
}

void CSettingsTreeDialog::OnItemExpandedTree(NMHDR* pNMHDR, LRESULT* pResult) {
  if (m_initialized) {
    auto* tv = reinterpret_cast<NMTREEVIEW*>(pNMHDR);
    const int image = (tv->action & TVE_COLLAPSE) ? kImageClosedBranch : kImageOpenBranch;
    m_tree.SetItemImage(tv->itemNew.hItem, image, image);
  }
  *pResult = 0;
}

void CSettingsTreeDialog::SelectPage(size_t index) {
  if (index < m_items.size() && m_items[index]) m_tree.SelectItem(m_items[index]);
}

// Every page's values are checked before the dialog closes: a page that
// refuses a value is shown with its message, and the dialog stays open.
void CSettingsTreeDialog::OnOK() {
  for (size_t i = 0; i < m_pages.size(); ++i) {
    if (!m_pages[i] || !m_pages[i]->m_hWnd) continue;
    if (!m_pages[i]->UpdateData(TRUE)) {
      SelectPage(i);
      return;
    }
  }
  CDialog::OnOK();
}

void CSettingsTreeDialog::OnSetAsDefault() {
  for (CPropertyPage* page : m_pages)
    if (page && page->m_hWnd) page->UpdateData(TRUE);
  m_setAsDefault = 1;
  WriteSettings(m_defaults);
}

void CSettingsTreeDialog::OnDestroy() {
  CDialog::OnDestroy();
  m_images.reset();
}
