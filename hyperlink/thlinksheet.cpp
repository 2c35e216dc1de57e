#include "thlinksheet.h"

#include "resourceids.h"
#include "stringtable.h"
#include "thlinkpage.h"

namespace nimbara {

THLinkSheet::THLinkSheet(QWidget* parent)
    : TPropertySheet(parent, loadString(IDS_LINK_PROPERTIES).value_or(QString())),
      m_page(new THLinkPage(this)) {}

THLinkSheet::~THLinkSheet() = default;

}  // namespace nimbara
