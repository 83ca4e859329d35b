#pragma once

// Where the bytes of a listing go while curl receives them: parsed at once, on the worker
// thread, and handed on in pieces or kept. Internal to the FTP session.

#include "ftp/FtpListing.h"

#include <QByteArray>

#include <cstddef>
#include <vector>

namespace Vamox {

class Lijststroom;

struct Lijstontvangst
{
    Lijstontvangst(Lijstlezer::Vorm vorm, const Lijstgrenzen& grenzen, Lijststroom* naar)
        : lezer(vorm, grenzen), stroom(naar)
    {
    }

    Lijstlezer lezer;
    Lijststroom* stroom; // the entries go there as they come; without it they are kept here
    std::vector<FtpEntry> entries;
    std::vector<size_t>* namen = nullptr; // hashes of the names read, when wanted
    QByteArray* ruw = nullptr;            // the lines as they came, when wanted

    // The entries the reader has finished go on, without the folder itself and its parent.
    void Doorgeven();
};

// curl's body writer for a listing (a Lijstontvangst); it stops the transfer at a limit.
size_t LeesLijst(char* data, size_t grootte, size_t n, void* ontvangst);

} // namespace Vamox
