#include "market/scenario.h"

namespace velmora::market {

std::vector<Text> UpdateFiles::DefaultReleaseNotes()
{
    return {"店铺搜索支持按类目翻页采集。"_gbk, "修正宝贝评价页的昵称截取。"_gbk};
}

std::string UpdateFiles::DefaultProgramFile()
{
    return "#!/bin/sh\necho Velmora 2012-01-05\n";
}

} // namespace velmora::market
