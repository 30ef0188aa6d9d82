#pragma once

#include "link/box_command.h"

namespace lumera {

// Every command template the tool sends. Templates whose value field reads
// "+022" always get an encoded value. Of the others, DCM, HDO, 3DI, 3DO, EBC and
// TX1-TX4 get a last digit; WPM, GRD, PFA, PFV and EDI an encoded value; RXT,
// VKY and PWR go out as stored.
namespace Tpl {
// Picture
inline constexpr CommandTemplate BRI{"s00BRI+022\r\n"};
inline constexpr CommandTemplate CON{"s00CON+022\r\n"};
inline constexpr CommandTemplate XHA{"s00XHA+022\r\n"};
inline constexpr CommandTemplate HUE{"s00HUE+022\r\n"};
inline constexpr CommandTemplate XAT{"s00XAT+022\r\n"};
inline constexpr CommandTemplate CLR{"s00CLR+022\r\n"};
inline constexpr CommandTemplate RGN{"s00RGN+022\r\n"};
inline constexpr CommandTemplate GGN{"s00GGN+022\r\n"};
inline constexpr CommandTemplate BGN{"s00BGN+022\r\n"};
inline constexpr CommandTemplate ORI{"s00ORI+022\r\n"};
inline constexpr CommandTemplate XCL{"s00XCL+022\r\n"};
inline constexpr CommandTemplate INP{"s00INP+022\r\n"};
inline constexpr CommandTemplate MUT{"s00MUT+022\r\n"};
inline constexpr CommandTemplate _3DI{"s003DI+002\r\n"};
// Video wall
inline constexpr CommandTemplate HZM{"s00HZM+022\r\n"};
inline constexpr CommandTemplate HPN{"s00HPN+022\r\n"};
inline constexpr CommandTemplate VZM{"s00VZM+022\r\n"};
inline constexpr CommandTemplate VPN{"s00VPN+022\r\n"};
inline constexpr CommandTemplate RXT2{"s00RXT+002\r\n"};
// PIP and sub windows
inline constexpr CommandTemplate PIO{"s00PIO+022\r\n"};
inline constexpr CommandTemplate SBW{"s00SBW+022\r\n"};
inline constexpr CommandTemplate PIR{"s00PIR+022\r\n"};
inline constexpr CommandTemplate PIT{"s00PIT+022\r\n"};
inline constexpr CommandTemplate POR{"s00POR+022\r\n"};
inline constexpr CommandTemplate PIZ{"s00PIZ+022\r\n"};
inline constexpr CommandTemplate PIH{"s00PIH+022\r\n"};
inline constexpr CommandTemplate PIV{"s00PIV+022\r\n"};
// Output
inline constexpr CommandTemplate OPM{"s00OPM+022\r\n"};
inline constexpr CommandTemplate CMW{"s00CMW+022\r\n"};
inline constexpr CommandTemplate CMH{"s00CMH+022\r\n"};
inline constexpr CommandTemplate CMR{"s00CMR+022\r\n"};
inline constexpr CommandTemplate DCM{"s00DCM+000\r\n"};
inline constexpr CommandTemplate HDO{"s00HDO+000\r\n"};
inline constexpr CommandTemplate _3DO{"s003DO+002\r\n"};
// EDID
inline constexpr CommandTemplate H1E{"s00H1E+022\r\n"};
inline constexpr CommandTemplate H2E{"s00H2E+022\r\n"};
inline constexpr CommandTemplate H3E{"s00H3E+022\r\n"};
inline constexpr CommandTemplate DPE{"s00DPE+022\r\n"};
inline constexpr CommandTemplate D2E{"s00D2E+022\r\n"};
inline constexpr CommandTemplate H1W{"s00H1W+022\r\n"};
inline constexpr CommandTemplate H1V{"s00H1V+022\r\n"};
inline constexpr CommandTemplate H2W{"s00H2W+022\r\n"};
inline constexpr CommandTemplate H2V{"s00H2V+022\r\n"};
inline constexpr CommandTemplate H3W{"s00H3W+022\r\n"};
inline constexpr CommandTemplate H3V{"s00H3V+022\r\n"};
inline constexpr CommandTemplate DPW{"s00DPW+022\r\n"};
inline constexpr CommandTemplate DPV{"s00DPV+022\r\n"};
inline constexpr CommandTemplate D2W{"s00D2W+022\r\n"};
inline constexpr CommandTemplate D2V{"s00D2V+022\r\n"};
inline constexpr CommandTemplate V1E{"s00V1E+022\r\n"};
inline constexpr CommandTemplate VGE{"s00VGE+022\r\n"};
inline constexpr CommandTemplate V1W{"s00V1W+022\r\n"};
// Warp mode and grid overlay
inline constexpr CommandTemplate WPM{"s00WPM+000\r\n"};
inline constexpr CommandTemplate GRD{"s00GRD+000\r\n"};
// Edge blend
inline constexpr CommandTemplate LEB{"s00LEB+022\r\n"};
inline constexpr CommandTemplate EFL{"s00EFL+022\r\n"};
inline constexpr CommandTemplate EBC{"s00EBC+002\r\n"};
// Blend gamma and colour
inline constexpr CommandTemplate EBR{"s00EBR+022\r\n"};
inline constexpr CommandTemplate GGR{"s00GGR+022\r\n"};
inline constexpr CommandTemplate EBL{"s00EBL+022\r\n"};
inline constexpr CommandTemplate EGR{"s00EGR+022\r\n"};
inline constexpr CommandTemplate EOR{"s00EOR+022\r\n"};
// Profiles, resets and box id
inline constexpr CommandTemplate BID{"s00BID+022\r\n"};
inline constexpr CommandTemplate PFA{"s00PFA+002\r\n"};
inline constexpr CommandTemplate PFV{"s00PFV+002\r\n"};
inline constexpr CommandTemplate RXT1{"s00RXT+001\r\n"};
inline constexpr CommandTemplate VKY{"s00VKY+250\r\n"};
// Second family panel
inline constexpr CommandTemplate CEW{"s00CEW+022\r\n"};
inline constexpr CommandTemplate CEV{"s00CEV+022\r\n"};
inline constexpr CommandTemplate TX1{"s00TX1+001\r\n"};
inline constexpr CommandTemplate TX2{"s00TX2+001\r\n"};
inline constexpr CommandTemplate TX3{"s00TX3+001\r\n"};
inline constexpr CommandTemplate TX4{"s00TX4+001\r\n"};
inline constexpr CommandTemplate EDI{"s00EDI+001\r\n"};
inline constexpr CommandTemplate PWR0{"s00PWR+000\r\n"};
inline constexpr CommandTemplate PWR1{"s00PWR+001\r\n"};
}  // namespace Tpl

// The whole catalogue, for the decoder of the simulated box and for tests.
inline constexpr const CommandTemplate* kAllTemplates[] = {
    &Tpl::BRI, &Tpl::CON,  &Tpl::XHA,  &Tpl::HUE,  &Tpl::XAT, &Tpl::CLR,  &Tpl::RGN, &Tpl::GGN,
    &Tpl::BGN, &Tpl::ORI,  &Tpl::XCL,  &Tpl::INP,  &Tpl::MUT, &Tpl::_3DI, &Tpl::HZM, &Tpl::HPN,
    &Tpl::VZM, &Tpl::VPN,  &Tpl::RXT2, &Tpl::PIO,  &Tpl::SBW, &Tpl::PIR,  &Tpl::PIT, &Tpl::POR,
    &Tpl::PIZ, &Tpl::PIH,  &Tpl::PIV,  &Tpl::OPM,  &Tpl::CMW, &Tpl::CMH,  &Tpl::CMR, &Tpl::DCM,
    &Tpl::HDO, &Tpl::_3DO, &Tpl::H1E,  &Tpl::H2E,  &Tpl::H3E, &Tpl::DPE,  &Tpl::D2E, &Tpl::H1W,
    &Tpl::H1V, &Tpl::H2W,  &Tpl::H2V,  &Tpl::H3W,  &Tpl::H3V, &Tpl::DPW,  &Tpl::DPV, &Tpl::D2W,
    &Tpl::D2V, &Tpl::V1E,  &Tpl::VGE,  &Tpl::V1W,  &Tpl::WPM, &Tpl::GRD,  &Tpl::LEB, &Tpl::EFL,
    &Tpl::EBC, &Tpl::EBR,  &Tpl::GGR,  &Tpl::EBL,  &Tpl::EGR, &Tpl::EOR,  &Tpl::BID, &Tpl::PFA,
    &Tpl::PFV, &Tpl::RXT1, &Tpl::VKY,  &Tpl::CEW,  &Tpl::CEV, &Tpl::TX1,  &Tpl::TX2, &Tpl::TX3,
    &Tpl::TX4, &Tpl::EDI,  &Tpl::PWR0, &Tpl::PWR1,
};

}  // namespace lumera
