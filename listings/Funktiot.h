// The listing store and the routines that every window shares.
#pragma once
#include "listings/Calendar.h"
#include "listings/ChannelTable.h"
#include "listings/ListingStore.h"
#include "listings/Settings.h"
#include "listings/TextRoutines.h"
