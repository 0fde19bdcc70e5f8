# Writes SHA256SUMS, the winget manifests and the Scoop manifest beside the
# two ZIPs in ZV_OUT, hashing the ZIPs themselves; the version and the home
# page come from the win32 build's CPack settings (the project's own):
#   cmake -D ZV_CPACK_CONFIG=build/win32/CPackConfig.cmake -D ZV_OUT=DIR -P cmake/manifests.cmake
cmake_minimum_required(VERSION 3.25)
foreach(var ZV_CPACK_CONFIG ZV_OUT)
  if(NOT ${var})
    message(FATAL_ERROR "manifests.cmake needs -D ${var}=...")
  endif()
endforeach()
include("${ZV_CPACK_CONFIG}")
set(ZV_VERSION "${CPACK_PACKAGE_VERSION}")
set(ZV_HOMEPAGE "${CPACK_PACKAGE_HOMEPAGE_URL}")
if(NOT ZV_VERSION OR NOT ZV_HOMEPAGE MATCHES "^https://.*/$")
  message(FATAL_ERROR "${ZV_CPACK_CONFIG} gives no version or no home page ending in /")
endif()
# Where the home page offers each release's ZIPs.
set(ZV_DOWNLOAD "${ZV_HOMEPAGE}download/${ZV_VERSION}")

set(sums "")
foreach(arch win32 win64)
  set(zip "Zvenoks-${ZV_VERSION}-${arch}.zip")
  if(NOT EXISTS "${ZV_OUT}/${zip}")
    message(FATAL_ERROR "no ${ZV_OUT}/${zip}")
  endif()
  file(SHA256 "${ZV_OUT}/${zip}" ZV_SHA256_${arch})
  # winget writes its hashes in capitals; Scoop and sha256sum in small letters.
  string(TOUPPER "${ZV_SHA256_${arch}}" ZV_SHA256_UPPER_${arch})
  string(APPEND sums "${ZV_SHA256_${arch}}  ${zip}\n")
endforeach()
file(WRITE "${ZV_OUT}/SHA256SUMS" "${sums}")

set(winget "${ZV_OUT}/winget/manifests/z/Zvenoks/Zvenoks/${ZV_VERSION}")
foreach(part "" .installer .locale.ru-RU .locale.en-US)
  configure_file("${CMAKE_CURRENT_LIST_DIR}/winget/Zvenoks.Zvenoks${part}.yaml.in"
    "${winget}/Zvenoks.Zvenoks${part}.yaml" @ONLY)
endforeach()
configure_file("${CMAKE_CURRENT_LIST_DIR}/scoop/zvenoks.json.in" "${ZV_OUT}/scoop/zvenoks.json" @ONLY)
