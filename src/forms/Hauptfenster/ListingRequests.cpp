// The transitions of the newest-request rule that end a series of runs.
#include "forms/Hauptfenster/ListingRequests.h"

namespace tabulist {

ListingRequests::After ListingRequests::Leave() {
    --depth_;
    if (closePending_) {
        closePending_ = false;
        pending_ = false;
        return After::Close;
    }
    if (pending_) {
        pending_ = false;
        return After::Rebuild;
    }
    return After::Nothing;
}

bool ListingRequests::TakeCutByClose() {
    const bool cut = cutByClose_;
    cutByClose_ = false;
    return cut;
}

}  // namespace tabulist
