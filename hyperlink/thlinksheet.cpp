#include "hyperlink/thlinksheet.h"

#include "hyperlink/thlinkpage.h"
#include "resources/resourceids.h"
#include "resources/stringtable.h"

namespace nimbara {

THLinkSheet::THLinkSheet(QWidget* parent)
    : TPropertySheet(parent, loadString(IDS_LINK_PROPERTIES).value_or(QString())),
      m_page(new THLinkPage(this)) {}

THLinkSheet::~THLinkSheet() = default;

}  // namespace nimbara
