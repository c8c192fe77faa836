#include "browser/master/MasterDocument.h"

#include "app/text/ServiceAddressList.h"

ServiceAddressList& MasterDocument::Services()
{
    return ServiceAddresses();
}
