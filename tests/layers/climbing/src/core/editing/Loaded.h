#pragma once
// The layer the climbing record reaches for.
