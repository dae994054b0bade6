// SPDX-License-Identifier: MIT
#include "lookup/loginaddress.h"

#include "lookup/hosts.h"

namespace lookup {

QString loginAddress()
{
    // The return address is one percent-encoded query value; the keyword and the comma inside it
    // were already encoded once, so their "%" appear here as "%25".
    return QStringLiteral("https://") + loginHost + QLatin1String("/member/login.jhtml?redirectURL=")
           + QLatin1String("https%3A%2F%2F") + itemSearchHost + QLatin1String("%2Fsearch%3F")
           + QLatin1String(
               "initiative_id%3Dtbindexz_20170916%26ie%3Dutf8%26spm%3Da21bo.50862.201856-taobao-item.2"
               "%26sourceId%3Dtb.index%26search_type%3Ditem%26ssid%3Ds5-e%26commend%3Dall%26imgfile%3D"
               "%26q%3D%25E7%25BF%25BB%25E8%25AF%2591%25E6%259C%25BA%2B%25E7%25A7%2591%25E5%25A4%25A7%25E8%25AE%25AF%"
               "25E9%25A3%259E"
               "%26suggest%3Dhistory_2%26_input_charset%3Dutf-8%26wq%3D%25E7%25BF%25BB%25E8%25AF%2591%25E6%259C%25BA"
               "%26suggest_query%3D%25E7%25BF%25BB%25E8%25AF%2591%25E6%259C%25BA%26source%3Dsuggest"
               "%26bcoffset%3D10%26ntoffset%3D10%26p4ppushleft%3D1%252C48%26s%3D0");
}

} // namespace lookup
