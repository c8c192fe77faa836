#include "browser/MasterDocument.h"

#include "app/ServiceAddressList.h"

ServiceAddressList& MasterDocument::Services()
{
    return ServiceAddresses();
}
