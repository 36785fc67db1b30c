# The layers and what each may use below it; sourced by cmake/check_layers.sh and the include test.
declare -A below=(
  [base]=""
  [graphics]="base"
  [audio]="base"
  [framework]="graphics audio base"
  [games]="framework graphics audio base"
  [net]="games framework graphics audio base"
  [app]="net games framework graphics audio base"
)
