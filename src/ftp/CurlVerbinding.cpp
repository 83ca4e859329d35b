#include "ftp/CurlVerbinding.h"

#include <sys/select.h>

namespace Vamox {

namespace {
struct CurlGlobaal
{
    CurlGlobaal() { curl_global_init(CURL_GLOBAL_DEFAULT); }
};
} // namespace

CurlVerbinding::CurlVerbinding()
{
    static CurlGlobaal globaal;
    m_multi = curl_multi_init();
    m_easy = curl_easy_init();
}

CurlVerbinding::~CurlVerbinding()
{
    curl_easy_cleanup(m_easy);
    curl_multi_cleanup(m_multi);
}

CURLcode CurlVerbinding::perform()
{
    CURLcode resultaat = CURLE_OK;
    if (curl_multi_add_handle(m_multi, m_easy) != CURLM_OK) return CURLE_FAILED_INIT;
    int bezig = 1;
    int zonderSocket = 0;
    while (bezig) {
        if (curl_multi_perform(m_multi, &bezig) != CURLM_OK) {
            resultaat = CURLE_RECV_ERROR;
            break;
        }
        if (!bezig) break;
        // When the EPSV reply arrives within the perform that sent EPSV, curl (7.88) opens the
        // data connection only at the next perform, yet leaves no socket and no due timer to
        // wake us: without this, every file would wait out the whole poll.
        fd_set lezen, schrijven, fout;
        FD_ZERO(&lezen);
        FD_ZERO(&schrijven);
        FD_ZERO(&fout);
        int hoogste = -1;
        curl_multi_fdset(m_multi, &lezen, &schrijven, &fout, &hoogste);
        if (hoogste < 0 && zonderSocket++ < 8) continue;
        if (hoogste >= 0) zonderSocket = 0;
        long wacht = 10;
        if (curl_multi_timeout(m_multi, &wacht) != CURLM_OK || wacht < 0 || wacht > 10) wacht = 10;
        if (wacht > 0) curl_multi_poll(m_multi, nullptr, 0, int(wacht), nullptr);
    }
    int over = 0;
    while (CURLMsg* bericht = curl_multi_info_read(m_multi, &over)) {
        if (bericht->msg == CURLMSG_DONE && bericht->easy_handle == m_easy) resultaat = bericht->data.result;
    }
    curl_multi_remove_handle(m_multi, m_easy);
    return resultaat;
}

void CurlVerbinding::sluiten()
{
    // The connection cache belongs to the multi handle, and perform() hands every connection back
    // to it when a transfer ends: a new multi handle starts empty.
    curl_multi_cleanup(m_multi);
    m_multi = curl_multi_init();
}

} // namespace Vamox
