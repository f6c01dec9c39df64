<#
.SYNOPSIS
Makes the Windows installer from a Release build: installs the build into a staging tree,
puts Qt (windeployqt, with the SQLite driver) and the C runtime beside the programs, and
builds the launcher and the installer with NSIS (makensis on PATH).

.DESCRIPTION
The translations and the icon font are compiled into dsp-control already. The installer
installs per machine, runs "dsp-control.exe -a" (firewall rules) on install and "-d" on
uninstall, and adds a Start menu entry that starts the program in the user's data folder.

.EXAMPLE
From a "x64 Native Tools" prompt with Qt 5's bin\ and NSIS on PATH. The icon font and the
file with its licence are the ones Debian's fonts-font-awesome installs
(/usr/share/fonts/opentype/font-awesome/FontAwesome.otf, /usr/share/doc/fonts-font-awesome/copyright):

  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DDSP_BUILD_TESTS=OFF -DDSP_BUILD_BENCH=OFF `
        -DDSP_FONTAWESOME_OTF=C:\fa\FontAwesome.otf -DDSP_FONTAWESOME_COPYRIGHT=C:\fa\copyright
  cmake --build build
  powershell -ExecutionPolicy Bypass -File tools\windows\deploy.ps1 -Build build -Out dist
#>
param(
    [string]$Build = "build",
    [string]$Out = "dist"
)
$ErrorActionPreference = "Stop"
Set-StrictMode -Version Latest

function Invoke-Checked([string]$Program, [string[]]$Arguments) {
    & $Program @Arguments
    if ($LASTEXITCODE -ne 0) { throw "$Program failed with exit code $LASTEXITCODE" }
}

$Build = (Resolve-Path $Build).Path
New-Item -ItemType Directory -Force -Path $Out | Out-Null
$Out = (Resolve-Path $Out).Path
$stage = Join-Path $Out "stage"
$bin = Join-Path $stage "bin"

# The one version, as CMake's project() set it.
$cache = Select-String -Path (Join-Path $Build "CMakeCache.txt") -Pattern '^CMAKE_PROJECT_VERSION:STATIC=(.+)$'
if (-not $cache) { throw "no CMAKE_PROJECT_VERSION in $Build\CMakeCache.txt" }
$version = $cache.Matches[0].Groups[1].Value

# Every program the build installs, with its icon and copyright file.
if (Test-Path $stage) { Remove-Item -Recurse -Force $stage }
Invoke-Checked cmake @("--install", $Build, "--prefix", $stage, "--config", "Release")

# Qt beside each program. MSVC's C runtime is copied from its redistributable folder below
# (app-local, no vc_redist run); with MinGW windeployqt copies the runtime itself.
$msvcRedist = $env:VCToolsRedistDir
$runtime = if ($msvcRedist) { "--no-compiler-runtime" } else { "--compiler-runtime" }
foreach ($program in Get-ChildItem (Join-Path $bin "*.exe")) {
    Invoke-Checked windeployqt @("--release", "--no-translations", "--no-system-d3d-compiler", "--no-opengl-sw",
                                 $runtime, $program.FullName)
}
if ($msvcRedist) {
    $crt = Get-ChildItem (Join-Path $msvcRedist "x64") -Directory -Filter "Microsoft.VC*.CRT" | Select-Object -Last 1
    if (-not $crt) { throw "no Microsoft.VC*.CRT folder in $msvcRedist\x64" }
    Copy-Item (Join-Path $crt.FullName "*.dll") $bin
}

# devices.db needs Qt's SQLite driver; the other drivers need client libraries we do not ship.
$drivers = Join-Path $bin "sqldrivers"
if (-not (Test-Path (Join-Path $drivers "qsqlite.dll"))) { throw "windeployqt deployed no qsqlite.dll" }
Get-ChildItem $drivers | Where-Object { $_.Name -ne "qsqlite.dll" } | Remove-Item -Force

$nsis = $PSScriptRoot
Invoke-Checked makensis @("/V2", "/DOUTFILE=$bin\dsp-control-launcher.exe", "/DICON=$bin\image\app.ico",
                          (Join-Path $nsis "launcher.nsi"))
$setup = Join-Path $Out "dsp-control-$version-setup.exe"
Invoke-Checked makensis @("/V2", "/DVERSION=$version", "/DSTAGE=$stage", "/DOUTFILE=$setup",
                          (Join-Path $nsis "installer.nsi"))
Write-Host "Installer: $setup"
