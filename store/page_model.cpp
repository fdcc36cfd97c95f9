#include "store/page_model.h"

namespace store {

namespace {

template <typename Model, typename Ptr>
std::array<Ptr, kTableFieldCount> tableFieldsOf(Model& m)
{
    return {&m.Memo1, &m.Memo3, &m.Memo6, &m.Memo7, &m.Memo8, &m.Memo9, &m.Memo10, &m.Memo11, &m.Memo12,
            &m.Memo13, &m.Memo14, &m.Memo15, &m.Memo16, &m.Memo17, &m.Memo18, &m.Memo19, &m.Memo20,
            &m.Memo21, &m.Memo22, &m.Memo23, &m.Memo24, &m.Memo25, &m.Memo26, &m.Memo27, &m.Memo28,
            &m.Memo29, &m.Memo30, &m.Memo31, &m.Memo32, &m.Memo33, &m.Memo34, &m.Memo35, &m.Memo36,
            &m.Memo37, &m.Memo38, &m.Memo39, &m.Memo40, &m.Memo41, &m.Memo42, &m.Memo43, &m.Memo44,
            &m.Memo45, &m.Memo46, &m.Memo47, &m.Memo48, &m.Memo49, &m.Memo50, &m.Memo51, &m.Memo52,
            &m.Memo53, &m.Memo54, &m.Memo55, &m.Memo56, &m.Memo57, &m.Memo58, &m.Memo59, &m.Memo60,
            &m.Memo61, &m.Memo62, &m.Memo63, &m.Memo64, &m.Memo65, &m.Memo66, &m.Memo67, &m.Memo68,
            &m.Memo69, &m.Memo70, &m.Memo71, &m.Memo72, &m.Memo73, &m.Memo74, &m.Memo75, &m.Memo76,
            &m.Memo77, &m.Memo78, &m.Memo79, &m.Memo80, &m.Memo81};
}

} // namespace

std::array<QString*, kTableFieldCount> PageModel::tableFields()
{
    return tableFieldsOf<PageModel, QString*>(*this);
}

std::array<const QString*, kTableFieldCount> PageModel::tableFields() const
{
    return tableFieldsOf<const PageModel, const QString*>(*this);
}

} // namespace store
