// Version of the estimator, fed into its version resource.
#pragma once

#define ZELTAX_VERSION_NUMBERS 10, 0, 0, 0
#define ZELTAX_VERSION_TEXT "10.0.0.0"
#define ZELTAX_PRODUCT_NAME "Zelmor Federal Income Tax 2010 Quick Estimator"
#define ZELTAX_COMPANY "Zelmor Graphics"
